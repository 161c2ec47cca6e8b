"""Client for tessary_automation.exe, which drives the real Tessary.exe under Wine.

The helper speaks one TAB-separated line per command and answers with one
line: ``ok``, ``ok <payload>`` or ``err <message>``. Text travels hex-encoded
in the ANSI code page, which is cp1252 for the locale the tests run under.
"""

from __future__ import annotations

import queue
import subprocess
import threading
from typing import IO, Mapping

ENCODING = "cp1252"
DEFAULT_TIMEOUT_S = 60.0


class AutomationError(Exception):
    """The helper refused a command, died, or did not answer in time."""


def _decode(data: bytes) -> str:
    # cp1252 leaves five byte values undefined; show them rather than fail.
    try:
        return data.decode(ENCODING)
    except UnicodeDecodeError:
        return "".join(
            bytes([b]).decode(ENCODING, errors="ignore") or chr(b) for b in data
        )


def _unhex(payload: str) -> str:
    try:
        return _decode(bytes.fromhex(payload))
    except ValueError as exc:
        raise AutomationError(f"bad hex payload: {payload[:60]!r}") from exc


def _lines(payload: str) -> list[str]:
    text = _unhex(payload)
    if text.endswith("\n"):
        text = text[:-1]
    return text.split("\n") if text else []


class Automation:
    """One persistent helper process; not safe to share between threads."""

    def __init__(
        self,
        wine_cmd: list[str],
        helper_exe: str,
        env: Mapping[str, str],
        log_path: str | None = None,
        timeout_s: float = DEFAULT_TIMEOUT_S,
    ) -> None:
        self.timeout_s = timeout_s
        self._log: IO[bytes] | None = open(log_path, "ab") if log_path else None
        self._proc = subprocess.Popen(
            [*wine_cmd, helper_exe],
            stdin=subprocess.PIPE,
            stdout=subprocess.PIPE,
            stderr=self._log if self._log else subprocess.DEVNULL,
            env=dict(env),
        )
        self._replies: queue.Queue[bytes | None] = queue.Queue()
        self._broken: str | None = None
        self._reader = threading.Thread(target=self._read_replies, daemon=True)
        self._reader.start()

    def _read_replies(self) -> None:
        assert self._proc.stdout is not None
        for raw in self._proc.stdout:
            self._replies.put(raw)
        self._replies.put(None)

    def _fail(self, reason: str) -> AutomationError:
        # After a lost reply the stream is out of step; never reuse it.
        self._broken = reason
        self._kill()
        return AutomationError(reason)

    def call(self, *fields: object, timeout_s: float | None = None) -> str:
        if self._broken:
            raise AutomationError(f"helper unusable: {self._broken}")
        parts = [str(f) for f in fields]
        if any(("\t" in p or "\n" in p or "\r" in p) for p in parts):
            raise AutomationError(f"field contains a tab or newline: {parts!r}")
        line = "\t".join(parts).encode(ENCODING) + b"\n"
        try:
            assert self._proc.stdin is not None
            self._proc.stdin.write(line)
            self._proc.stdin.flush()
        except OSError as exc:
            raise self._fail(f"helper gone while sending {parts[0]}: {exc}") from exc
        try:
            raw = self._replies.get(timeout=timeout_s or self.timeout_s)
        except queue.Empty:
            raise self._fail(f"no answer to {parts!r} within {timeout_s or self.timeout_s:.0f} s") from None
        if raw is None:
            raise self._fail(f"helper exited while running {parts!r}")
        reply = raw.decode("ascii", errors="replace").rstrip("\r\n")
        if reply == "ok" or reply == "ok ":
            return ""
        if reply.startswith("ok "):
            return reply[3:]
        if reply.startswith("err"):
            raise AutomationError(f"{parts[0]} {parts[1:]!r}: {reply[4:] or 'error'}")
        raise self._fail(f"unexpected reply to {parts!r}: {reply[:200]!r}")

    def _wait_call(self, timeout_ms: int, *fields: object) -> str:
        # The helper waits itself; give it that long plus the usual margin.
        return self.call(*fields, timeout_s=self.timeout_s + timeout_ms / 1000.0)

    # Windows and controls

    def wait_window(self, title: str, timeout_ms: int = 15000) -> int:
        return int(self._wait_call(timeout_ms, "wait-window", title, timeout_ms))

    def wait_gone(self, title: str, timeout_ms: int = 15000) -> None:
        self._wait_call(timeout_ms, "wait-gone", title, timeout_ms)

    def window_info(self, title: str) -> dict[str, str]:
        info: dict[str, str] = {}
        for line in _lines(self.call("window-info", title)):
            key, _, value = line.partition("=")
            info[key] = value
        return info

    def controls(self, title: str) -> list[dict[str, object]]:
        result: list[dict[str, object]] = []
        for line in _lines(self.call("controls", title)):
            f = line.split("\t", 11)
            if len(f) < 12:
                raise AutomationError(f"bad control line: {line!r}")
            result.append(
                {
                    "id": int(f[0]),
                    "parent_id": int(f[1]),
                    "cls": f[2],
                    "x": int(f[3]),
                    "y": int(f[4]),
                    "w": int(f[5]),
                    "h": int(f[6]),
                    "enabled": f[7] == "1",
                    "visible": f[8] == "1",
                    "style": int(f[9], 16),
                    "exstyle": int(f[10], 16),
                    "text": f[11],
                }
            )
        return result

    def enabled(self, title: str, id: int) -> bool:
        return self.call("enabled", title, id) == "1"

    def text(self, title: str, id: int) -> str:
        return _unhex(self.call("text", title, id))

    def click(self, title: str, id: int) -> None:
        self.call("click", title, id)

    def check_state(self, title: str, id: int) -> int:
        return int(self.call("check-state", title, id))

    def menu(self, title: str, item: int) -> None:
        self.call("menu", title, item)

    def close_window(self, title: str) -> None:
        self.call("close", title)

    def set_text(self, title: str, id: int, text: str) -> None:
        self.call("set-text", title, id, text.encode(ENCODING).hex())

    # List views

    def rows(self, title: str, id: int) -> list[tuple[int, list[str]]]:
        result: list[tuple[int, list[str]]] = []
        for line in _lines(self.call("rows", title, id)):
            state, *cells = line.split("\t")
            result.append((int(state), cells))
        return result

    def set_row(self, title: str, id: int, row: int, state: int) -> None:
        """state bits: 1 selected, 2 checked."""
        self.call("set-row", title, id, row, state)

    # Message boxes

    def msgbox(self, title: str, timeout_ms: int = 15000) -> dict[str, object]:
        info: dict[str, str] = {}
        text = _unhex(self._wait_call(timeout_ms, "msgbox", title, timeout_ms))
        # The message itself may span lines; only the last two are fixed keys.
        head, _, tail = text.rstrip("\n").rpartition("\nicon=")
        icon, _, buttons = tail.partition("\nbuttons=")
        info["text"] = head[len("text="):] if head.startswith("text=") else head
        return {
            "text": info["text"],
            "icon": icon,
            "buttons": [int(b) for b in buttons.split(",") if b],
        }

    def answer(self, title: str, button_id: int) -> None:
        self.call("answer", title, button_id)

    # Combo boxes

    def combo(self, title: str, id: int) -> tuple[int, str]:
        index, _, hex_text = self.call("combo", title, id).partition("\t")
        return int(index), _unhex(hex_text)

    def combo_items(self, title: str, id: int) -> list[str]:
        return _lines(self.call("combo-items", title, id))

    def combo_select(self, title: str, id: int, index: int) -> None:
        self.call("combo-select", title, id, index)

    # Lifetime

    def lock(self, windows_path: str) -> None:
        """Holds the file open without sharing until unlock()."""
        self.call("lock", windows_path)

    def unlock(self) -> None:
        self.call("unlock")

    def _kill(self) -> None:
        if self._proc.poll() is None:
            self._proc.kill()
            try:
                self._proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass

    def close(self) -> None:
        if self._proc.poll() is None and not self._broken:
            try:
                self.call("quit", timeout_s=10)
                self._proc.wait(timeout=10)
            except (AutomationError, subprocess.TimeoutExpired):
                pass
        self._kill()
        for stream in (self._proc.stdin, self._proc.stdout):
            try:
                if stream:
                    stream.close()
            except OSError:
                pass
        if self._log:
            self._log.close()
            self._log = None

    def __enter__(self) -> "Automation":
        return self

    def __exit__(self, *exc_info: object) -> None:
        self.close()
