"""Screenshots of the demo, the tool already starting.

Usage: demo_shot.py HELPER_EXE SHOT_PATH
         the main window after 'Check for updates' and 'Install updates'
       demo_shot.py HELPER_EXE SHOT_PATH --self-update
         the question about the new version; then Yes, OK and the
         finalizer's OK, after which the new tool can be started
"""

import os
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "e2e"))
from automation import Automation  # noqa: E402

TITLE = "Orvik's Tessary v1.4"


def wait_for(condition, seconds: float = 60) -> None:
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline and not condition():
        time.sleep(0.2)


def screenshot(auto, title: str, shot: str) -> None:
    info = auto.window_info(title)
    geometry = "{outer_w}x{outer_h}+{outer_x}+{outer_y}".format(**info)
    subprocess.run(["import", "-window", "root", "-crop", geometry, "+repage", shot], check=True)


def self_update(auto, shot: str) -> None:
    auto.click(TITLE, 3)
    auto.msgbox("Info", 30000)
    time.sleep(0.5)
    screenshot(auto, "Info", shot)
    auto.answer("Info", 6)
    wait_for(lambda: auto.text(TITLE, 10).endswith("Done!"))
    auto.msgbox("Info", 30000)
    auto.answer("Info", 1)
    auto.msgbox("Orvik's Brimlet", 30000)
    auto.answer("Orvik's Brimlet", 1)


def main(helper_exe: str, shot: str, mode: str) -> None:
    with Automation(["wine"], helper_exe, dict(os.environ)) as auto:
        auto.wait_window(TITLE, 30000)
        if mode == "--self-update":
            self_update(auto, shot)
            return
        auto.click(TITLE, 3)
        wait_for(lambda: len(auto.rows(TITLE, 7)) > 0)
        auto.click(TITLE, 4)
        wait_for(lambda: auto.text(TITLE, 10).endswith("Process complete!"))
        time.sleep(0.5)
        screenshot(auto, TITLE, shot)
        auto.click(TITLE, 5)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else "")
