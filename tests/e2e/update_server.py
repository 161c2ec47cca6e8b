"""A real HTTP update server on 127.0.0.1 for the end-to-end tests."""

from __future__ import annotations

import io
import threading
import zipfile
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


class UpdateServer:
    """Serves files put into it by path; anything else is a 404."""

    def __init__(self) -> None:
        self.files: dict[str, bytes] = {}
        self.requests: list[str] = []
        server = self

        class Handler(BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def do_GET(self) -> None:  # noqa: N802 (the stdlib's name)
                server.requests.append(self.path)
                body = server.files.get(self.path)
                if body is None:
                    self.send_response(404)
                    self.send_header("Content-Length", "0")
                    self.end_headers()
                    return
                self.send_response(200)
                self.send_header("Content-Length", str(len(body)))
                self.send_header("Content-Type", "application/octet-stream")
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args) -> None:
                pass

        self._httpd = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self._thread = threading.Thread(target=self._httpd.serve_forever, daemon=True)
        self._thread.start()

    @property
    def address(self) -> str:
        return f"127.0.0.1:{self._httpd.server_address[1]}"

    def put(self, path: str, body: bytes) -> None:
        self.files[path] = body

    def close(self) -> None:
        self._httpd.shutdown()
        self._httpd.server_close()


def catalogue(libraries, tool_version: str | None = "1.4") -> bytes:
    """Updater.ini for (name, version, url, identifier) tuples, numbered from 1."""
    lines = []
    if tool_version is not None:
        lines += ["[Updater]", f"Version = {tool_version}"]
    for number, (name, version, url, identifier) in enumerate(libraries, start=1):
        lines += [f"[Library{number}]", f"Name = {name}", f"Version = {version}",
                  f"Url = {url}", f"Identifyer = {identifier}"]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def archive(entries) -> bytes:
    """A zip archive of (name, bytes) entries, in that order."""
    data = io.BytesIO()
    with zipfile.ZipFile(data, "w", zipfile.ZIP_DEFLATED) as zip_file:
        for name, content in entries:
            zip_file.writestr(name, content)
    return data.getvalue()
