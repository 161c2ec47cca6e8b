"""Runs the real Tessary.exe under Wine in a fresh folder of its own."""

from __future__ import annotations

import os
import shutil
import subprocess
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("TESSARY_WINDOWS_BUILD", ROOT / "build" / "windows"))
TOOL_EXE = BUILD / "Tessary.exe"
HELPER_EXE = BUILD / "tessary_automation.exe"
RUNS = ROOT / "build" / "e2e-runs"

MAIN_TITLE = "Orvik's Tessary v1.4"
PREFERENCES_TITLE = "Preferences"


def settings_text(folder="C:\\PureBasic\\", language="English", first_start=0,
                  delete_backups=1, use_api=0) -> bytes:
    """The settings file exactly as the tool writes it."""
    lines = ["; ", "; Orvik's Tessary configuration", "; ", "[Settings]", "; ",
             f"PureBasicFolder = {folder}", f"DefaultDocLanguage = {language}",
             f"FirstStart = {first_start}", f"DeleteBackups = {delete_backups}",
             f"UseAPI = {use_api}"]
    return "".join(line + "\r\n" for line in lines).encode("cp1252")


def windows_path(path: Path) -> str:
    """The path as the tool sees it through Wine's Z: drive."""
    return "Z:" + str(path).replace("/", "\\")


class ToolRun:
    """One start of the tool in its own AppDir; the exe is a fresh copy."""

    def __init__(self, name: str, exe_name: str = "Tessary.exe") -> None:
        self.folder = RUNS / name
        if self.folder.exists():
            shutil.rmtree(self.folder)
        self.app_dir = self.folder / "app"
        self.app_dir.mkdir(parents=True)
        self.exe = self.app_dir / exe_name
        shutil.copy2(TOOL_EXE, self.exe)
        self.process: subprocess.Popen | None = None

    @property
    def pure_basic(self) -> Path:
        """The PureBasic folder of this run; the settings point at it."""
        return self.folder / "PureBasic"

    def install_library(self, name: str, identifier: str | None = None,
                        version: str | None = None, user_library: bool = False) -> None:
        """A library as an installation holds it: a residents file whose marker
        carries the version, and the user-library file."""
        if version is not None:
            residents = self.pure_basic / "Residents" / f"{name}.res"
            residents.parent.mkdir(parents=True, exist_ok=True)
            residents.write_bytes(b"ERUP\x00\x10" + identifier.encode("cp1252") + b"\x00\x01"
                                  + version.encode("cp1252") + b"\x00more\x00")
        if user_library:
            library = self.pure_basic / "PureLibraries" / "UserLibraries" / name
            library.parent.mkdir(parents=True, exist_ok=True)
            library.write_bytes(b"compiled library")

    @property
    def settings_file(self) -> Path:
        return self.app_dir / "Tessary.ini"

    def write_settings(self, **values) -> None:
        """A settings file as a run before this one left it (no first start),
        naming this run's PureBasic folder unless told otherwise."""
        values.setdefault("folder", windows_path(self.pure_basic) + "\\")
        self.pure_basic.mkdir(parents=True, exist_ok=True)
        self.settings_file.write_bytes(settings_text(**values))

    def log(self, auto) -> list[str]:
        return auto.text(MAIN_TITLE, 10).replace("\r\n", "\r").split("\r")

    def wait_log(self, auto, last_line: str, timeout_s: float = 20.0) -> list[str]:
        """The log's lines once its last line is the given one."""
        wait_until(lambda: self.log(auto)[-1] == last_line, timeout_s)
        lines = self.log(auto)
        assert lines[-1] == last_line, lines
        return lines

    def start(self, extra_env: dict[str, str] | None = None, server=None) -> None:
        env = dict(os.environ)
        if server is not None:
            env["TESSARY_UPDATE_SERVER"] = server.address
        env.update(extra_env or {})
        log = open(self.folder / "wine.log", "ab")
        self.process = subprocess.Popen(
            ["wine", str(self.exe)],
            cwd=self.app_dir,
            env=env,
            stdin=subprocess.DEVNULL,
            stdout=log,
            stderr=log,
        )
        log.close()

    def wait_exit(self, timeout_s: float = 30.0) -> int:
        """The tool's exit code; fails the test when it does not end in time."""
        assert self.process is not None
        try:
            return self.process.wait(timeout=timeout_s)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the tool did not end within {timeout_s} s") from None

    def running(self) -> bool:
        return self.process is not None and self.process.poll() is None

    def stop(self) -> None:
        """Ends a tool that a failed test left running."""
        if self.running():
            self.process.kill()
            self.process.wait(timeout=10)


def wait_until(predicate, timeout_s: float = 10.0, interval_s: float = 0.05) -> bool:
    deadline = time.monotonic() + timeout_s
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(interval_s)
    return predicate()


def window_exists(auto, title: str) -> bool:
    """Whether a window with this title is open right now."""
    try:
        auto.wait_window(title, 0)
        return True
    except Exception:
        return False
