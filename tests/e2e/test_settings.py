"""The settings file across runs: written whole at every exit, read at start."""

import time

from tool import MAIN_TITLE, PREFERENCES_TITLE, settings_text, window_exists


def test_first_run_opens_preferences_once_and_writes_first_start_0(auto, tool):
    tool.start()
    auto.wait_window(PREFERENCES_TITLE)
    auto.wait_window(MAIN_TITLE)
    assert not auto.enabled(MAIN_TITLE, 0), "the main window waits for the dialog"
    assert not tool.settings_file.exists()
    auto.click(PREFERENCES_TITLE, 25)
    auto.wait_gone(PREFERENCES_TITLE)
    assert auto.enabled(MAIN_TITLE, 0)
    auto.click(MAIN_TITLE, 5)
    assert tool.wait_exit() == 0
    assert tool.settings_file.read_bytes() == settings_text(first_start=0)


def test_second_run_opens_no_preferences(auto, tool):
    tool.write_settings(first_start=0, folder="C:\\PureBasic\\")
    tool.start()
    auto.wait_window(MAIN_TITLE)
    time.sleep(0.5)
    assert auto.enabled(MAIN_TITLE, 0)
    assert not window_exists(auto, PREFERENCES_TITLE)
    auto.menu(MAIN_TITLE, 2)
    assert tool.wait_exit() == 0
    assert tool.settings_file.read_bytes() == settings_text(first_start=0)


def test_file_is_written_whole_and_values_go_back_as_read(auto, tool):
    tool.settings_file.write_bytes(
        b"; my notes\r\n[Extra]\r\nKeep = me\r\n[settings]\r\n"
        b"purebasicfolder = D:\\Pure Basic\t \r\nDefaultDocLanguage = Fran\xe7ais\r\n"
        b"FirstStart = 0\r\nDeleteBackups = 2\r\nAddedByHand = yes\r\n")
    tool.start()
    auto.wait_window(MAIN_TITLE)
    auto.close_window(MAIN_TITLE)
    assert tool.wait_exit() == 0
    assert tool.settings_file.read_bytes() == settings_text(
        folder="D:\\Pure Basic", language="Fran\xe7ais", first_start=0, delete_backups=2, use_api=0)

