"""'Install updates' after a check: archives downloaded into Backups and
unpacked into the PureBasic folder."""


from tool import MAIN_TITLE, wait_until
from update_server import archive, catalogue

CHECK, INSTALL, EXIT, LIST, SELECT_ALL = 3, 4, 5, 7, 8
CHECKED = 2


def alpha_residents(version: str) -> bytes:
    return b"ERUP\x00Alpha_Version\x00\x01" + version.encode() + b"\x00"


def test_install_one_good_archive_and_one_missing(auto, tool, server):
    tool.write_settings()
    tool.install_library("Alpha", "Alpha_Version", "1.0", user_library=True)
    server.put("/files/Updater.ini", catalogue([
        ("Alpha", "1.1", f"{server.address}/files/Alpha.zip", "Alpha_Version"),
        ("Beta", "2.0", f"{server.address}/files/Beta.zip", "Beta_Version"),
    ]))
    server.put("/files/Alpha.zip", archive([
        ("Residents/", b""),
        ("Residents/Alpha.res", alpha_residents("1.1")),
        ("PureLibraries/UserLibraries/Alpha", b"new compiled library"),
        ("Examples/Alpha/Demo.pb", b"; demo"),
        ("Help/English/Alpha.chm", b"english help"),
        ("Help/Deutsch/Alpha.chm", b"deutsche Hilfe"),
        ("ReadMe.txt", b"not installed"),
    ]))

    tool.start(server=server)
    auto.wait_window(MAIN_TITLE)
    auto.click(MAIN_TITLE, CHECK)
    tool.wait_log(auto, "2 Libraries found!")
    assert auto.rows(MAIN_TITLE, LIST) == [(CHECKED, ["Alpha", "1.0", "1.1"]),
                                          (CHECKED, ["Beta", "<not installed>", "2.0"])]
    auto.click(MAIN_TITLE, INSTALL)
    assert tool.wait_log(auto, "Process complete!") == [
        "Ready.",
        "Checking for updates ... please wait a moment!",
        "2 Libraries found!",
        "Download and install Alpha ... please wait!",
        "Download and install Beta ... please wait!",
        "Warning! - Download of Beta failed!",
        "1 file(s) successfully updated!",
        "Process complete!",
    ]
    pb = tool.pure_basic
    assert (pb / "Residents" / "Alpha.res").read_bytes() == alpha_residents("1.1")
    assert (pb / "PureLibraries" / "UserLibraries" / "Alpha").read_bytes() == b"new compiled library"
    assert (pb / "Examples" / "Alpha" / "Demo.pb").read_bytes() == b"; demo"
    assert (pb / "Help" / "Alpha.chm").read_bytes() == b"english help"
    assert not (pb / "Help" / "Deutsch").exists()
    assert not (pb / "ReadMe.txt").exists()
    assert list((tool.app_dir / "Backups").iterdir()) == []
    for control in (INSTALL, LIST, SELECT_ALL):
        assert not auto.enabled(MAIN_TITLE, control), control
    assert server.requests == ["/files/Updater.ini", "/files/Alpha.zip", "/files/Beta.zip"]
    auto.click(MAIN_TITLE, EXIT)
    assert tool.wait_exit() == 0

    # The next run finds Alpha current and Beta still missing.
    tool.start(server=server)
    auto.wait_window(MAIN_TITLE)
    auto.click(MAIN_TITLE, CHECK)
    tool.wait_log(auto, "2 Libraries found!")
    assert auto.rows(MAIN_TITLE, LIST) == [(0, ["Alpha", "1.1", "1.1"]),
                                          (CHECKED, ["Beta", "<not installed>", "2.0"])]
    auto.click(MAIN_TITLE, EXIT)
    assert tool.wait_exit() == 0


def test_kept_archive_and_a_hostile_entry(auto, tool, server):
    tool.write_settings(delete_backups=0)
    server.put("/files/Updater.ini", catalogue([
        ("Gamma", "1.0", f"{server.address}/files/Gamma.zip", "Gamma_Version"),
    ]))
    gamma = archive([
        ("Residents/Gamma.res", b"Gamma_Version\x00\x011.0\x00"),
        ("Residents/../../../escaped.txt", b"must not land"),
        ("Examples/Gamma.pb", b"; gamma"),
    ])
    server.put("/files/Gamma.zip", gamma)
    tool.start(server=server)
    auto.wait_window(MAIN_TITLE)
    auto.click(MAIN_TITLE, CHECK)
    tool.wait_log(auto, "1 Libraries found!")
    auto.click(MAIN_TITLE, INSTALL)
    backup = tool.app_dir / "Backups" / "Gamma.zip"
    assert wait_until(lambda: "ExtractError! - archive name: " in "".join(tool.log(auto)), 20)
    lines = tool.log(auto)
    assert lines[-2:] == ["Download and install Gamma ... please wait!",
                          "ExtractError! - archive name: Z:" + str(backup).replace("/", "\\")]
    assert (tool.pure_basic / "Examples" / "Gamma.pb").read_bytes() == b"; gamma"
    assert backup.read_bytes() == gamma
    assert not list(tool.folder.rglob("escaped.txt"))
    auto.click(MAIN_TITLE, EXIT)
    assert tool.wait_exit() == 0
