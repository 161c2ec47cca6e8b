"""'Check for updates' against a local update server and a PureBasic folder."""

import pytest

from tool import MAIN_TITLE, wait_until
from update_server import catalogue

CHECK, INSTALL, EXIT, LIST, SELECT_ALL = 3, 4, 5, 7, 8
CHECKED = 2

LIBRARIES = [
    ("Current", "2.10", "lib.example/files/Current.zip", "Current_Version"),
    ("Outdated", "2.10", "lib.example/files/Outdated.zip", "OUTDATED_VERSION"),
    ("OnlyLibrary", "1.0", "lib.example/files/OnlyLibrary.zip", "OnlyLibrary_Version"),
    ("Missing", "3.0", "lib.example/files/Missing.zip", "Missing_Version"),
]


@pytest.fixture
def installation(tool):
    tool.write_settings()
    tool.install_library("Current", "Current_Version", "2.10", user_library=True)
    tool.install_library("Outdated", "outdated_version", "2.1", user_library=True)
    tool.install_library("OnlyLibrary", user_library=True)
    return tool


def states(auto):
    return [state for state, _ in auto.rows(MAIN_TITLE, LIST)]


def wait_states(auto, expected):
    wait_until(lambda: states(auto) == expected)
    assert states(auto) == expected


def check(auto, tool, server):
    tool.start(server=server)
    auto.wait_window(MAIN_TITLE)
    auto.click(MAIN_TITLE, CHECK)


def test_check_lists_every_library_with_both_versions(auto, installation, server):
    tool = installation
    server.put("/files/Updater.ini", catalogue(LIBRARIES))
    check(auto, tool, server)
    assert tool.wait_log(auto, "4 Libraries found!") == [
        "Ready.", "Checking for updates ... please wait a moment!", "4 Libraries found!"]
    assert auto.rows(MAIN_TITLE, LIST) == [
        (0, ["Current", "2.10", "2.10"]),
        (CHECKED, ["Outdated", "2.1", "2.10"]),
        (CHECKED, ["OnlyLibrary", "<unknown>", "1.0"]),
        (CHECKED, ["Missing", "<not installed>", "3.0"]),
    ]
    assert not auto.enabled(MAIN_TITLE, CHECK)
    assert auto.enabled(MAIN_TITLE, INSTALL)
    assert auto.enabled(MAIN_TITLE, SELECT_ALL)
    assert auto.check_state(MAIN_TITLE, SELECT_ALL) == 0
    assert server.requests == ["/files/Updater.ini"]

    auto.click(MAIN_TITLE, EXIT)
    assert tool.wait_exit() == 0


@pytest.mark.parametrize("failure", ["server down", "no Library1"])
def test_failed_check_keeps_check_for_updates_usable(auto, installation, server, failure):
    tool = installation
    if failure == "server down":
        address = server.address
        server.close()
        tool.start(extra_env={"TESSARY_UPDATE_SERVER": address})
        auto.wait_window(MAIN_TITLE)
        auto.click(MAIN_TITLE, CHECK)
    else:
        server.put("/files/Updater.ini", catalogue([], tool_version="1.5"))
        check(auto, tool, server)
    error = "An Error has occurred - cannot read ini-file from server!"
    assert tool.wait_log(auto, error) == [
        "Ready.", "Checking for updates ... please wait a moment!", error]
    assert auto.enabled(MAIN_TITLE, CHECK)
    assert not auto.enabled(MAIN_TITLE, INSTALL)
    assert auto.rows(MAIN_TITLE, LIST) == []

    auto.click(MAIN_TITLE, CHECK)  # the check can be repeated
    assert wait_until(lambda: tool.log(auto).count(error) == 2)
    auto.click(MAIN_TITLE, EXIT)
    assert tool.wait_exit() == 0


def test_select_all_then_install_with_nothing_checked(auto, installation, server):
    tool = installation
    server.put("/files/Updater.ini", catalogue(LIBRARIES))
    check(auto, tool, server)
    tool.wait_log(auto, "4 Libraries found!")

    auto.set_row(MAIN_TITLE, LIST, 0, 1)  # a row selected by the user
    auto.click(MAIN_TITLE, SELECT_ALL)
    wait_states(auto, [CHECKED] * 4)
    auto.click(MAIN_TITLE, SELECT_ALL)
    wait_states(auto, [0] * 4)

    auto.click(MAIN_TITLE, INSTALL)
    # Clicks are handled in order: once the next one shows, the install was handled.
    auto.click(MAIN_TITLE, SELECT_ALL)
    wait_states(auto, [CHECKED] * 4)
    for control in (INSTALL, LIST, SELECT_ALL):
        assert auto.enabled(MAIN_TITLE, control), control
    assert tool.log(auto)[-1] == "4 Libraries found!"
    auto.click(MAIN_TITLE, EXIT)
    assert tool.wait_exit() == 0
