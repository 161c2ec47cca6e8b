#include "app/folder_text.h"

#include <gtest/gtest.h>

TEST(FolderText, TrailingBackslashRule) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"", "\\"},
      {"C:\\PureBasic", "C:\\PureBasic\\"},
      {"C:\\PureBasic\\", "C:\\PureBasic\\"},
      {"C:/PureBasic/", "C:/PureBasic/\\"},  // a slash is not a backslash
      {"\\\\", "\\\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(EnsureTrailingBackslash(c.in), c.out) << c.in;
}

TEST(FolderText, FolderAndFileParts) {
  const struct {
    const char* path;
    const char* folder;
    const char* file;
  } cases[] = {
      {"C:\\Tools\\Tessary.exe", "C:\\Tools\\", "Tessary.exe"},
      {"/opt/tools/Tessary.exe", "/opt/tools/", "Tessary.exe"},
      {"C:\\a/b\\c", "C:\\a/b\\", "c"},
      {"Tessary.exe", "", "Tessary.exe"},
      {"C:\\Tools\\", "C:\\Tools\\", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(FilePart(c.path), c.file) << c.path;
  }
}
