"""Fixtures of the end-to-end suite: the automation helper and tool runs.

tests/e2e/run prepares the display, the Wine prefix and a warm wineserver
before pytest starts; these fixtures only use them.
"""

from __future__ import annotations

import os
import re

import pytest

from automation import Automation
from tool import HELPER_EXE, RUNS, TOOL_EXE, ToolRun
from update_server import UpdateServer


@pytest.fixture(scope="session")
def auto():
    for exe in (TOOL_EXE, HELPER_EXE):
        if not exe.exists():
            pytest.exit(f"{exe} is missing: build the windows preset first", returncode=2)
    RUNS.mkdir(parents=True, exist_ok=True)
    with Automation(["wine"], str(HELPER_EXE), dict(os.environ),
                    log_path=str(RUNS / "automation.log")) as helper:
        yield helper


@pytest.fixture
def tool(request):
    """A fresh AppDir with a copy of Tessary.exe; the tool is ended afterwards."""
    name = re.sub(r"[^A-Za-z0-9_.-]+", "_", request.node.name)[:100]
    run = ToolRun(name)
    yield run
    run.stop()


@pytest.fixture
def server():
    """A local update server; the tool is pointed at it by tool.start()."""
    update_server = UpdateServer()
    yield update_server
    update_server.close()
