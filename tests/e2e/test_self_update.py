"""The tool's own update: the question, the package, the hand-off to the
finalizer, and the finalizer on its own."""

import os
import subprocess
import time
from pathlib import Path

import pytest

from tool import BUILD, MAIN_TITLE, ToolRun, settings_text, wait_until, window_exists, windows_path
from update_server import archive, catalogue

CHECK, INSTALL, LIST, SELECT_ALL = 3, 4, 7, 8
QUESTION = ("Updater has detect a new version (v1.5) of Tessary.\nIt's required to download and "
            "install this new version before\nyou can again update libraries. (otherwise updater "
            "will exit)\n\nDownload and install now the new version ?")
FINALIZER = BUILD / "UpdateFinalizer.exe"
BRIMLET = "Orvik's Brimlet"
NEW_TOOL = b"MZ the new tool, version 1.5"


def check(auto, tool, server, tool_version):
    tool.write_settings(**getattr(tool, "settings_values", {}))
    server.put("/files/Updater.ini", catalogue(
        [("Alpha", "1.0", f"{server.address}/files/Alpha.zip", "Alpha_Version")],
        tool_version=tool_version))
    tool.start(server=server)
    auto.wait_window(MAIN_TITLE)
    auto.click(MAIN_TITLE, CHECK)
    tool.wait_log(auto, "1 Libraries found!")


def temp_finalizer() -> Path:
    return Path(os.environ["WINEPREFIX"]) / "drive_c" / "users" / os.environ.get("USER", "root") / \
        "Temp" / "UpdateFinalizer.exe"


def test_the_same_version_asks_nothing(auto, tool, server):
    check(auto, tool, server, "1.4")
    time.sleep(0.5)
    assert not window_exists(auto, "Info")
    auto.click(MAIN_TITLE, 5)
    assert tool.wait_exit() == 0


def test_declining_ends_the_tool_with_its_settings_written(auto, tool, server):
    check(auto, tool, server, "1.5")
    assert auto.msgbox("Info") == {"text": QUESTION, "icon": "none", "buttons": [6, 7]}
    auto.answer("Info", 7)
    assert tool.wait_exit() == 0
    assert tool.settings_file.read_bytes() == settings_text(
        folder=windows_path(tool.pure_basic) + "\\", first_start=0)
    assert server.requests == ["/files/Updater.ini"]


@pytest.mark.parametrize("exe_name", ["Tessary.exe", "My Tessary.exe"])
def test_accepting_replaces_the_running_executable(auto, request, server, exe_name):
    tool = ToolRun(request.node.name.replace("[", " ").replace("]", ""), exe_name=exe_name)
    request.addfinalizer(tool.stop)
    server.put("/files/Brimlet.zip", archive([("readme.txt", b"r"), ("bin/TESSARY.EXE", NEW_TOOL)]))
    temp_finalizer().write_bytes(b"an older finalizer")
    check(auto, tool, server, "1.5")
    auto.msgbox("Info")
    auto.answer("Info", 6)
    assert tool.wait_log(auto, "Done!")[-2:] == ["Download new version of Brimlet ... please wait!",
                                                 "Done!"]
    box = auto.msgbox("Info")
    assert box == {"text": "Download complete!\n\nPlease click now on 'OK' to exit old updater and "
                           "continue with update process.", "icon": "information", "buttons": [1]}
    auto.answer("Info", 1)
    assert tool.wait_exit() == 0
    assert temp_finalizer().read_bytes() == FINALIZER.read_bytes()

    finished = auto.msgbox(BRIMLET, 20000)
    assert finished == {"text": "update process successfully complete!\nPlease restart the "
                                "application now to use the new version.",
                        "icon": "information", "buttons": [1]}
    auto.answer(BRIMLET, 1)
    assert tool.exe.read_bytes() == NEW_TOOL
    backups = tool.app_dir / "Backups"
    assert sorted(p.name for p in backups.iterdir()) == []
    assert server.requests == ["/files/Updater.ini", "/files/Brimlet.zip"]


@pytest.mark.parametrize("served, line, delete_backups", [
    (archive([("bin/Other.exe", b"x")]), "An ERROR has occurred - cannot update tool!", 0),
    (None, "An ERROR has occurred - cannot download tool!", 1),
], ids=["package without the exe", "package missing"])
def test_a_failed_update_keeps_the_tool_running_but_locked(auto, tool, server, served, line,
                                                          delete_backups):
    tool.settings_values = {"delete_backups": delete_backups}
    if served is not None:
        server.put("/files/Brimlet.zip", served)
    check(auto, tool, server, "1.5")
    auto.answer("Info", 6)
    tool.wait_log(auto, line)
    assert auto.msgbox("Info") == {"text": line, "icon": "error", "buttons": [1]}
    auto.answer("Info", 1)
    auto.wait_gone("Info")
    time.sleep(0.3)
    assert tool.running()
    for control in (CHECK, INSTALL, LIST, SELECT_ALL):
        assert not auto.enabled(MAIN_TITLE, control), control
    assert auto.enabled(MAIN_TITLE, 5)
    kept = (tool.app_dir / "Backups" / "Brimlet.zip").exists()
    assert kept == (served is not None and delete_backups == 0)
    auto.click(MAIN_TITLE, 5)
    assert tool.wait_exit() == 0


def run_finalizer(*args, wait=True):
    process = subprocess.Popen(["wine", str(FINALIZER), *args], stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if wait:
        return process.wait(timeout=30)
    return process


@pytest.fixture
def files(tmp_path_factory):
    folder = tmp_path_factory.mktemp("finalizer")
    (folder / "new.exe").write_bytes(b"new")
    (folder / "old.exe").write_bytes(b"old")
    return folder


@pytest.mark.parametrize("args", [
    [], ["/FinalizeUpdate"], ["/FinalizeUpdate", "NEW"], ["/FinalizeUpdate", "NEW", "OLD", "more"],
    ["/finalizeupdate", "NEW", "OLD"], ["FinalizeUpdate", "NEW", "OLD"],
])
def test_finalizer_ends_silently_on_wrong_parameters(auto, files, args):
    new, old = windows_path(files / "new.exe"), windows_path(files / "old.exe")
    args = [{"NEW": new, "OLD": old}.get(a, a) for a in args]
    assert run_finalizer(*args) == 0
    assert not window_exists(auto, BRIMLET)
    assert (files / "new.exe").read_bytes() == b"new"
    assert (files / "old.exe").read_bytes() == b"old"


def test_finalizer_tells_of_a_locked_destination(auto, files):
    old = windows_path(files / "old.exe")
    auto.lock(old)
    try:
        process = run_finalizer("/FinalizeUpdate", windows_path(files / "new.exe"), old, wait=False)
        assert auto.msgbox(BRIMLET, 20000) == {
            "text": "An ERROR has occurred - cannot update tool!", "icon": "error", "buttons": [1]}
        auto.answer(BRIMLET, 1)
        assert process.wait(timeout=30) == 0
    finally:
        auto.unlock()
    assert (files / "new.exe").read_bytes() == b"new"
    assert (files / "old.exe").read_bytes() == b"old"
