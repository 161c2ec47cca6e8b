"""The main window as a user meets it, and every way out of the tool."""

import pytest

from tool import MAIN_TITLE, window_exists

PANEL = 6

# number, parent, x, y, width, height, class, text, enabled
LAYOUT = [
    (3, 0, 16, 444, 120, 25, "Button", "Check for updates", True),
    (4, 0, 142, 444, 120, 25, "Button", "Install updates", False),
    (5, 0, 316, 444, 120, 25, "Button", "Exit", True),
    (6, 0, 15, 15, 420, 413, "TessaryContainer", "", True),
    (7, PANEL, 11, 12, 392, 187, "SysListView32", "", True),
    (8, PANEL, 11, 211, 155, 20, "Button", "Select/UnSelect all libraries", False),
    (9, PANEL, 14, 240, 386, 154, "Button", "Log", True),
    (10, PANEL, 27, 261, 361, 120, "RichEdit20A", "Ready.", True),
]


def test_window_layout_and_initial_states(auto, tool):
    tool.write_settings()
    tool.start()
    auto.wait_window(MAIN_TITLE)

    info = auto.window_info(MAIN_TITLE)
    assert info["client_w"] == "450"
    assert info["menu"] == "Project|1:Preferences|-|2:Exit"
    # Centred on the screen with its outer size.
    assert int(info["outer_x"]) == (int(info["screen_w"]) - int(info["outer_w"])) // 2
    assert int(info["outer_y"]) == (int(info["screen_h"]) - int(info["outer_h"])) // 2
    style = int(info["style"], 16)
    WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_THICKFRAME, WS_SYSMENU = 0x20000, 0x10000, 0x40000, 0x80000
    assert style & WS_MINIMIZEBOX and style & WS_SYSMENU
    assert not style & (WS_MAXIMIZEBOX | WS_THICKFRAME)

    # The list's header is a child of the list; the rest are the table's rows,
    # in the order they were created.
    found = [c for c in auto.controls(MAIN_TITLE) if c["parent_id"] != 7]
    assert [(c["id"], c["parent_id"], c["x"], c["y"], c["w"], c["h"], c["cls"], c["text"],
             c["enabled"]) for c in found] == LAYOUT
    assert auto.text(MAIN_TITLE, 10) == "Ready."
    assert auto.rows(MAIN_TITLE, 7) == []
    assert auto.check_state(MAIN_TITLE, 8) == 0

    auto.click(MAIN_TITLE, 5)
    assert tool.wait_exit() == 0


@pytest.mark.parametrize("way", ["exit button", "exit menu item", "close box"])
def test_every_way_out_ends_with_exit_code_0(auto, tool, way):
    tool.write_settings()
    tool.start()
    auto.wait_window(MAIN_TITLE)
    if way == "exit button":
        auto.click(MAIN_TITLE, 5)
    elif way == "exit menu item":
        auto.menu(MAIN_TITLE, 2)
    else:
        auto.close_window(MAIN_TITLE)
    assert tool.wait_exit() == 0
    auto.wait_gone(MAIN_TITLE, 5000)
    assert (tool.app_dir / "Backups").is_dir()


def test_file_named_backups_stops_the_tool_with_an_error_box(auto, tool):
    (tool.app_dir / "Backups").write_bytes(b"in the way")
    tool.start()

    box = auto.msgbox("ERROR")
    assert box == {"text": "An Error has occurred - cannot create backup folder!",
                   "icon": "error", "buttons": [1]}
    # No main window while the box is up, and none after it.
    assert not window_exists(auto, MAIN_TITLE)
    auto.answer("ERROR", 1)
    assert tool.wait_exit() == 0
    assert not window_exists(auto, MAIN_TITLE)
    assert not tool.settings_file.exists()
    assert (tool.app_dir / "Backups").read_bytes() == b"in the way"

