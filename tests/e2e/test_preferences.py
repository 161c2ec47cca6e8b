"""The Preferences dialog, and the PureBasic folder found in the registry."""

import subprocess
import time

import pytest

from tool import (MAIN_TITLE, PREFERENCES_TITLE, settings_text, wait_until, window_exists,
                  windows_path)

PREFS = PREFERENCES_TITLE
CONTAINER = 11
# number, parent, x, y, width, height, class, text
LAYOUT = [
    (11, 0, 11, 12, 452, 320, "TessaryContainer", ""),
    (12, CONTAINER, 11, 16, 424, 62, "Button", "Default Folder"),
    (13, CONTAINER, 16, 42, 64, 20, "Static", "PureBasic"),
    (14, CONTAINER, 85, 40, 307, 20, "Edit", "C:\\PureBasic\\"),
    (15, CONTAINER, 398, 40, 20, 20, "Button", "..."),
    (16, CONTAINER, 11, 84, 424, 59, "Button", "Default Language (Library DOCs)"),
    (17, CONTAINER, 21, 110, 143, 23, "Static", "Download and Install always"),
    (18, CONTAINER, 168, 106, 105, None, "ComboBox", "English"),
    (19, CONTAINER, 282, 110, 140, 23, "Static", "doc language. (if available)"),
    (20, CONTAINER, 11, 149, 424, 55, "Button", "Archive-Downloads"),
    (21, CONTAINER, 23, 170, 406, 20, "Button",
     "Remove downloaded update-archives from %AppDir%/Backups after installation."),
    (22, CONTAINER, 11, 210, 424, 55, "Button", "Download Method"),
    (23, CONTAINER, 23, 231, 155, 20, "Button", "Use API to Download Data."),
    (24, CONTAINER, 208, 278, 110, 25, "Button", "Apply"),
    (25, CONTAINER, 325, 278, 110, 25, "Button", "Cancel"),
]


def open_first_start(auto, tool):
    tool.start()
    auto.wait_window(PREFS)
    auto.wait_window(MAIN_TITLE)


def finish(auto, tool):
    auto.wait_gone(PREFS)
    assert wait_until(lambda: auto.enabled(MAIN_TITLE, 0))
    auto.click(MAIN_TITLE, 5)
    assert tool.wait_exit() == 0
    return tool.settings_file.read_bytes()


def test_first_start_shows_the_dialog_over_a_disabled_main_window(auto, tool):
    open_first_start(auto, tool)
    found = [(c["id"], c["parent_id"], c["x"], c["y"], c["w"], None if c["id"] == 18 else c["h"],
              c["cls"], c["text"]) for c in auto.controls(PREFS) if c["parent_id"] != 18]
    assert found == LAYOUT
    assert auto.combo_items(PREFS, 18) == ["English", "Deutsch"]
    assert auto.combo(PREFS, 18) == (0, "English")
    assert auto.check_state(PREFS, 21) == 1
    assert auto.check_state(PREFS, 23) == 0

    info, main = auto.window_info(PREFS), auto.window_info(MAIN_TITLE)
    assert (info["client_w"], info["client_h"]) == ("474", "343")
    expected_x = int(main["outer_x"]) + (int(main["outer_w"]) - int(info["outer_w"])) // 2
    expected_y = int(main["outer_y"]) + (int(main["outer_h"]) - int(info["outer_h"])) // 2
    assert (int(info["outer_x"]), int(info["outer_y"])) == (max(0, expected_x), max(0, expected_y))
    assert info["owner"] == MAIN_TITLE
    assert info["menu"] == ""
    assert not auto.enabled(MAIN_TITLE, 0)

    auto.click(PREFS, 25)
    assert finish(auto, tool) == settings_text(first_start=0)


def change_every_control(auto, folder):
    """A folder typed in, Deutsch chosen, and both check boxes turned over."""
    auto.set_text(PREFS, 14, folder)
    auto.combo_select(PREFS, 18, 1)
    auto.click(PREFS, 21)
    auto.click(PREFS, 23)
    assert wait_until(lambda: auto.check_state(PREFS, 23) == 1)


def test_apply_stores_what_the_dialog_shows(auto, tool):
    open_first_start(auto, tool)
    change_every_control(auto, "D:\\Pure Basic")
    auto.click(PREFS, 24)
    assert finish(auto, tool) == settings_text(
        folder="D:\\Pure Basic\\", language="Deutsch", first_start=0, delete_backups=0, use_api=1)


@pytest.mark.parametrize("way", ["cancel", "close box"])
def test_cancel_and_close_box_keep_the_settings(auto, tool, way):
    open_first_start(auto, tool)
    change_every_control(auto, "D:\\Elsewhere")
    if way == "cancel":
        auto.click(PREFS, 25)
    else:
        auto.close_window(PREFS)
    assert finish(auto, tool) == settings_text(first_start=0)


def test_folder_picked_with_the_chooser_stays_after_cancel(auto, tool):
    open_first_start(auto, tool)
    auto.set_text(PREFS, 14, "C:\\windows")
    auto.click(PREFS, 15)
    auto.wait_window("Browse for Folder")
    chooser = {c["id"]: c for c in auto.controls("Browse for Folder")}
    assert any(c["text"] == "Please choose your PureBasic folder!" for c in chooser.values())
    auto.answer("Browse for Folder", 1)  # OK on the folder it started at
    assert wait_until(lambda: auto.text(PREFS, 14) == "C:\\windows\\")
    auto.click(PREFS, 25)
    assert finish(auto, tool) == settings_text(folder="C:\\windows\\", first_start=0)


def test_menu_opens_the_dialog_again_and_a_later_click_acts_once(auto, tool, server):
    tool.write_settings(folder="C:\\PureBasic\\")
    address = server.address
    server.close()  # the check then fails, which logs one line per click
    tool.start(extra_env={"TESSARY_UPDATE_SERVER": address})
    auto.wait_window(MAIN_TITLE)
    time.sleep(0.3)
    assert auto.enabled(MAIN_TITLE, 0)
    auto.menu(MAIN_TITLE, 1)
    auto.wait_window(PREFS)
    assert not auto.enabled(MAIN_TITLE, 0)
    auto.click(PREFS, 25)
    auto.wait_gone(PREFS)
    assert wait_until(lambda: auto.enabled(MAIN_TITLE, 0))
    auto.click(MAIN_TITLE, 3)
    error = "An Error has occurred - cannot read ini-file from server!"
    tool.wait_log(auto, error)
    time.sleep(0.5)
    assert tool.log(auto) == ["Ready.", "Checking for updates ... please wait a moment!", error]
    assert not window_exists(auto, PREFS)
    auto.click(MAIN_TITLE, 5)
    assert tool.wait_exit() == 0


REGISTRATION = "HKCR\\Applications\\PureBasic.exe\\shell\\open\\command"


@pytest.mark.parametrize("version, uses_registry", [("winxp64", True), ("win10", False)])
def test_first_folder_comes_from_the_registry_only_on_xp(auto, request, version, uses_registry):
    from tool import ToolRun
    exe = f"Tessary{version}.exe"
    tool = ToolRun(request.node.name.replace("[", "_").replace("]", ""), exe_name=exe)
    request.addfinalizer(tool.stop)
    folder = windows_path(tool.folder / "Pure Basic XP") + "\\"
    app_key = f"HKCU\\Software\\Wine\\AppDefaults\\{exe}"
    wine_reg("add", app_key, "/v", "Version", "/d", version, "/f")
    wine_reg("add", REGISTRATION, "/ve", "/d", f"\"{folder}PureBasic.exe\" \"%1\"", "/f")
    try:
        tool.start()
        auto.wait_window(PREFS)
        expected = folder if uses_registry else "C:\\PureBasic\\"
        assert auto.text(PREFS, 14) == expected
        auto.click(PREFS, 25)
        auto.wait_gone(PREFS)
        assert wait_until(lambda: auto.enabled(MAIN_TITLE, 0))
        auto.click(MAIN_TITLE, 5)
        assert tool.wait_exit() == 0
        assert tool.settings_file.read_bytes() == settings_text(folder=expected, first_start=0)
    finally:
        wine_reg("delete", "HKCR\\Applications\\PureBasic.exe", "/f")
        wine_reg("delete", app_key, "/f")


def wine_reg(*args):
    subprocess.run(["wine", "reg", *args], check=False, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)

