#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "test_folder.h"

namespace {

AppState StartupState(const TestFolder& folder) {
  AppState state;
  state.Paths.AppDir = folder.Product();
  state.Settings.PureBasicFolder = "C:\\PureBasic\\";
  return state;
}

std::string SettingsOnDisk(const TestFolder& folder) {
  std::ifstream in(folder.Root() / "Tessary.ini", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

TEST(SettingsFile, SaveWritesTheTenLines) {
  TestFolder folder;
  AppState state = StartupState(folder);
  state.Settings.PureBasicFolder = "D:\\Program Files\\PureBasic";
  state.Settings.DefaultDocLanguage = "Deutsch";
  state.Settings.FirstStart = 0;
  state.Settings.DeleteBackups = -2;
  state.Settings.UseAPI = 1;
  folder.WriteFile("Tessary.ini", "[Settings]\r\nAddedByHand = 1\r\n; remark\r\n");
  SaveSettings(state);
  EXPECT_EQ(SettingsOnDisk(folder),
            "; \r\n"
            "; Orvik's Tessary configuration\r\n"
            "; \r\n"
            "[Settings]\r\n"
            "; \r\n"
            "PureBasicFolder = D:\\Program Files\\PureBasic\r\n"
            "DefaultDocLanguage = Deutsch\r\n"
            "FirstStart = 0\r\n"
            "DeleteBackups = -2\r\n"
            "UseAPI = 1\r\n");
}

TEST(SettingsFile, LoadTakesValuesAsReadAndKeepsStartValuesForMissingKeys) {
  const struct {
    const char* name;
    const char* file;  // nullptr: no settings file
    const char* folder;
    const char* language;
    int32_t firstStart, deleteBackups, useApi;
  } cases[] = {
      {"no file", nullptr, "C:\\PureBasic\\", "English", 1, 1, 0},
      {"full",
       "[Settings]\r\nPureBasicFolder = E:\\PB\\\r\nDefaultDocLanguage = Deutsch\r\n"
       "FirstStart = 0\r\nDeleteBackups = 0\r\nUseAPI = 1\r\n",
       "E:\\PB\\", "Deutsch", 0, 0, 1},
      {"no trailing backslash, other language, odd numbers",
       "[settings]\r\npurebasicfolder = E:\\PB\r\ndefaultdoclanguage = Fran\xE7" "ais\r\n"
       "FirstStart = 0\r\nDeleteBackups = 2\r\nUseAPI = -1\r\n",
       "E:\\PB", "Fran\xE7" "ais", 0, 2, -1},
      {"missing keys", "[Settings]\r\nDeleteBackups = 0\r\n", "C:\\PureBasic\\", "English", 1, 0,
       0},
      {"empty values", "[Settings]\r\nPureBasicFolder =\r\nFirstStart =\r\n", "", "English", 0, 1,
       0},
      {"no Settings group", "PureBasicFolder = X\\\r\nFirstStart = 0\r\n[Other]\r\nUseAPI = 1\r\n",
       "C:\\PureBasic\\", "English", 1, 1, 0},
  };
  for (const auto& c : cases) {
    TestFolder folder;
    if (c.file) folder.WriteFile("Tessary.ini", c.file);
    AppState state = StartupState(folder);
    LoadSettings(state);
    EXPECT_EQ(state.Settings.PureBasicFolder, c.folder) << c.name;
    EXPECT_EQ(state.Settings.DefaultDocLanguage, c.language) << c.name;
    EXPECT_EQ(state.Settings.FirstStart, c.firstStart) << c.name;
    EXPECT_EQ(state.Settings.DeleteBackups, c.deleteBackups) << c.name;
    EXPECT_EQ(state.Settings.UseAPI, c.useApi) << c.name;
    if (c.file) {
      EXPECT_EQ(SettingsOnDisk(folder), c.file) << c.name << ": loading writes nothing";
    }
  }
}

TEST(SettingsFile, WhatIsSavedLoadsBackUnchanged) {
  TestFolder folder;
  AppState saved = StartupState(folder);
  saved.Settings.PureBasicFolder = "C:\\Pure Basic";
  saved.Settings.DefaultDocLanguage = "Deutsch";
  saved.Settings.FirstStart = 0;
  saved.Settings.DeleteBackups = 0;
  saved.Settings.UseAPI = 1;
  SaveSettings(saved);
  AppState loaded = StartupState(folder);
  LoadSettings(loaded);
  EXPECT_EQ(loaded.Settings.PureBasicFolder, "C:\\Pure Basic");
  EXPECT_EQ(loaded.Settings.DefaultDocLanguage, "Deutsch");
  EXPECT_EQ(loaded.Settings.FirstStart, 0);
  EXPECT_EQ(loaded.Settings.DeleteBackups, 0);
  EXPECT_EQ(loaded.Settings.UseAPI, 1);
}
