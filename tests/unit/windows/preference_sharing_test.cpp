// While a preference file is current, other programs may read it, not write it.
#include <windows.h>

#include <gtest/gtest.h>

#include "prefs/preference_file.h"
#include "test_folder.h"

TEST(PreferenceSharing, CurrentFileIsReadableButNotWritableByOthers) {
  TestFolder folder;
  folder.WriteFile("shared.ini", "[S]\r\nk = v\r\n");
  const std::string path = folder.Product() + "shared.ini";
  ASSERT_NE(PrefOpen(path), 0);

  const HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
  const HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);

  PrefClose();
  const HANDLE after = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(after, INVALID_HANDLE_VALUE);
  if (after != INVALID_HANDLE_VALUE) CloseHandle(after);
}
