#include "app/host_folder.h"

#include <gtest/gtest.h>

TEST(HostFolder, FolderOfTheRegisteredCommand) {
  const struct {
    const char* command;
    const char* folder;
  } cases[] = {
      {"\"C:\\Program Files\\PureBasic\\PureBasic.exe\" \"%1\"", "C:\\Program Files\\PureBasic\\"},
      {"C:\\PureBasic\\PureBasic.exe \"%1\"", ""},  // the second field is the placeholder
      {"C:\\PureBasic\\PureBasic.exe %1", ""},
      {"\"C:/PureBasic/PureBasic.exe\" \"%1\"", "C:/PureBasic/"},
      {"\"PureBasic.exe\" \"%1\"", ""},
      {"\"D:\\PB\\PureBasic.exe", "D:\\PB\\"},  // one quote: the field runs to the end
      {"\"\" \"%1\"", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderOfRegisteredCommand(c.command), c.folder) << c.command;
}

TEST(HostFolder, WindowsVersionClasses) {
  const struct {
    bool nt;
    int major, minor;
    bool workstation;
    int versionClass;
  } cases[] = {
      {true, 5, 1, true, 60},    // XP
      {true, 5, 1, false, 60},
      {true, 5, 2, true, 60},    // XP x64
      {true, 5, 2, false, 0},    // Server 2003
      {true, 6, 0, true, 70},    // Vista
      {true, 6, 0, false, 0},    // Server 2008
      {false, 4, 10, false, 30}, // 98
      {false, 4, 0, false, 0},   // 95
      {false, 4, 90, false, 0},  // ME
      {true, 4, 0, true, 0},     // NT 4
      {true, 5, 0, true, 0},     // 2000
      {true, 6, 1, true, 0},     // 7
      {true, 10, 0, true, 0},    // 10 and 11
  };
  for (const auto& c : cases) {
    WindowsVersion version;
    version.Nt = c.nt;
    version.Major = c.major;
    version.Minor = c.minor;
    version.Workstation = c.workstation;
    EXPECT_EQ(ClassifyWindowsVersion(version), c.versionClass)
        << c.nt << " " << c.major << "." << c.minor << " " << c.workstation;
  }
}
