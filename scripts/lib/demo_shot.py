"""Screenshot of the demo: the main window after 'Check for updates' and
'Install updates'.

Usage: demo_shot.py HELPER_EXE SHOT_PATH (the tool is already starting)
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


def main(helper_exe: str, shot: str) -> None:
    with Automation(["wine"], helper_exe, dict(os.environ)) as auto:
        auto.wait_window(TITLE, 30000)
        auto.click(TITLE, 3)
        wait_for(lambda: len(auto.rows(TITLE, 7)) > 0)
        auto.click(TITLE, 4)
        wait_for(lambda: auto.text(TITLE, 10).endswith("Process complete!"))
        time.sleep(0.5)
        info = auto.window_info(TITLE)
        geometry = "{outer_w}x{outer_h}+{outer_x}+{outer_y}".format(**info)
        subprocess.run(["import", "-window", "root", "-crop", geometry, "+repage", shot],
                       check=True)
        auto.click(TITLE, 5)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
