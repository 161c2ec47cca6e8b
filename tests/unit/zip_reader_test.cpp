#include "archive/zip_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "test_folder.h"
#include "zip_maker.h"

namespace fs = std::filesystem;

namespace {

class ZipReaderTest : public testing::Test {
 protected:
  void TearDown() override { ZipCloseArchive(); }

  std::string Archive(const ZipMaker& maker, const std::string& name = "a.zip") {
    maker.Write((folder.Root() / name).string());
    return folder.Product() + name;
  }
  std::string ArchiveBytes(const std::string& bytes, const std::string& name = "a.zip") {
    folder.WriteFile(name, bytes);
    return folder.Product() + name;
  }
  // The destination "X" below the test folder, given without its backslash.
  std::string Destination() const { return folder.Product() + "X"; }
  fs::path X() const { return folder.Root() / "X"; }

  TestFolder folder;
};

}  // namespace

TEST_F(ZipReaderTest, TargetPathsFollowKeepPaths) {
  const struct {
    const char* name;
    int keepPaths;
    int result;
    int byIndex;
    std::vector<std::string> files;  // below X
    const char* folder;              // a folder that must exist below X, or nullptr
  } cases[] = {
      {"docs/a.txt", 1, 0, 1, {"docs/a.txt"}, "docs"},
      {"docs/a.txt", 0, 0, 1, {"a.txt"}, nullptr},
      {"C:/Lib/a.txt", 1, 0, 1, {"Lib/a.txt"}, "Lib"},
      {"C:/Lib/a.txt", 0, 0, 1, {"a.txt"}, nullptr},
      {"docs/", 1, 0, 1, {}, "docs"},
      {"docs/", 0, -1, 0, {}, nullptr},
      {"deep/er/still/", 1, 0, 1, {}, "deep/er/still"},
      {"a.txt", 1, 0, 1, {"a.txt"}, nullptr},
  };
  for (const auto& c : cases) {
    for (const bool byIndex : {false, true}) {
      fs::remove_all(X());
      const std::string path = Archive(ZipMaker().Add(c.name, "content"));
      if (byIndex) {
        EXPECT_EQ(ZipExtractEntryByIndex(path, 0, Destination(), c.keepPaths), c.byIndex) << c.name;
      } else {
        ASSERT_NE(ZipOpenArchive(path), 0);
        EXPECT_EQ(ZipExtractEntry(Destination(), c.keepPaths), c.result) << c.name;
        ZipCloseArchive();
      }
      ASSERT_TRUE(fs::is_directory(X())) << "the destination is made even when nothing lands";
      EXPECT_EQ(FilesBelow(X()), c.files) << c.name << " keep " << c.keepPaths;
      for (const std::string& file : c.files) EXPECT_EQ(ReadBytes(X() / file), "content");
      if (c.folder) {
        EXPECT_TRUE(fs::is_directory(X() / c.folder)) << c.name;
      }
    }
  }
}

TEST_F(ZipReaderTest, ExistingFilesAreReplacedButReadOnlyOnesStay) {
  const std::string path = Archive(ZipMaker().Add("a.txt", "new").Add("b.txt", "new"));
  folder.WriteFile("X/a.txt", "old");
  folder.WriteFile("X/b.txt", "kept");
  fs::permissions(X() / "b.txt", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ASSERT_NE(ZipOpenArchive(path), 0);
  EXPECT_EQ(ZipExtractEntry(Destination() + "\\", 1), 0);
  EXPECT_EQ(ZipNextEntry(), 0);
  EXPECT_EQ(ZipExtractEntry(Destination(), 1), -1);
  ZipCloseArchive();
  EXPECT_EQ(ZipExtractEntryByIndex(path, 1, Destination(), 1), 0);
  EXPECT_EQ(ReadBytes(X() / "a.txt"), "new");
  EXPECT_EQ(ReadBytes(X() / "b.txt"), "kept");
  EXPECT_EQ(FilesBelow(X()), (std::vector<std::string>{"a.txt", "b.txt"}));
  fs::permissions(X() / "b.txt", fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(ZipReaderTest, TimeToTheMinuteThenTheReadOnlyAttribute) {
  ZipMaker::Entry entry;
  entry.Name = "locked.txt";
  entry.Data = "data";
  entry.ExternalAttributes = 0x21;  // archive and read-only
  const std::string path = Archive(ZipMaker().Add(entry));
  EXPECT_EQ(ZipExtractEntryByIndex(path, 0, Destination(), 0), 1);

  std::tm local{};
  local.tm_year = entry.Year - 1900;
  local.tm_mon = entry.Month - 1;
  local.tm_mday = entry.Day;
  local.tm_hour = entry.Hour;
  local.tm_min = entry.Minute;
  local.tm_isdst = -1;
  const auto expected = std::chrono::system_clock::from_time_t(std::mktime(&local));
  const auto written = fs::last_write_time(X() / "locked.txt");
  const auto writtenSystem = std::chrono::time_point_cast<std::chrono::seconds>(
      written - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
  EXPECT_LE(std::chrono::abs(writtenSystem - expected), std::chrono::seconds(2));
  EXPECT_EQ(fs::status(X() / "locked.txt").permissions() & fs::perms::owner_write, fs::perms::none);
  fs::permissions(X() / "locked.txt", fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(ZipReaderTest, EntryInformationAndTheCursor) {
  ZipMaker::Entry first;
  first.Name = "Dir/First.txt";
  first.Data = std::string(1000, 'a');
  first.ExternalAttributes = 0x20;
  ZipMaker::Entry last;
  last.Name = std::string("\x81") + "ber.txt";  // OEM 437 for the u with two dots
  last.Data = "x";
  last.Method = 0;
  const std::string path = Archive(ZipMaker().Add(first).Add(last));

  ZipEntry entry;
  entry.FileName = "untouched";
  EXPECT_EQ(ZipFirstEntry(), -1);
  EXPECT_EQ(ZipNextEntry(), -1);
  EXPECT_EQ(ZipGetEntryInfo(entry), -1);
  EXPECT_EQ(entry.FileName, "untouched");
  EXPECT_EQ(ZipExtractEntry(Destination(), 1), -1);
  EXPECT_EQ(ZipCloseArchive(), 0);

  ASSERT_NE(ZipOpenArchive(path), 0);
  ASSERT_EQ(ZipGetEntryInfo(entry), 0);
  EXPECT_EQ(entry.FileName, "Dir\\First.txt");
  EXPECT_EQ(entry.CompressionMethod, 8u);
  EXPECT_EQ(entry.UncompressedSize, 1000u);
  EXPECT_LT(entry.CompressedSize, 1000u);
  EXPECT_EQ(entry.NameLength, 13u);
  EXPECT_EQ(entry.ExternalAttributes, 0x20u);
  EXPECT_EQ(entry.Year, 2024u);
  EXPECT_EQ(entry.Month, 4u);
  EXPECT_EQ(entry.Day, 17u);
  EXPECT_EQ(entry.Hours, 13u);
  EXPECT_EQ(entry.Minutes, 42u);
  EXPECT_EQ(entry.Seconds, 30u);
  EXPECT_EQ(entry.DosDateTime >> 16, ((2024u - 1980) << 9) | (5u << 5) | 17u);

  EXPECT_EQ(ZipNextEntry(), 0);
  EXPECT_EQ(ZipNextEntry(), -100);
  ASSERT_EQ(ZipGetEntryInfo(entry), 0);
  EXPECT_EQ(entry.FileName, "\xFC" "ber.txt") << "the last entry stays current";
  EXPECT_EQ(entry.CompressionMethod, 0u);
  EXPECT_EQ(ZipFirstEntry(), 0);
  ASSERT_EQ(ZipGetEntryInfo(entry), 0);
  EXPECT_EQ(entry.FileName, "Dir\\First.txt");

  EXPECT_EQ(ZipOpenArchive(folder.Product() + "missing.zip"), 0);
  EXPECT_EQ(ZipGetEntryInfo(entry), -1) << "a failed open leaves no archive current";
}

TEST_F(ZipReaderTest, ArchiveWithoutEntries) {
  for (const std::string& comment : {std::string(), std::string("\x05\x00hello", 7)}) {
    std::string bytes = ZipMaker().Bytes();
    ASSERT_EQ(bytes.size(), 22u);
    if (!comment.empty()) bytes = bytes.substr(0, 20) + comment;
    const std::string path = ArchiveBytes(bytes);
    ASSERT_NE(ZipOpenArchive(path), 0);
    EXPECT_LT(ZipFirstEntry(), 0);
    ZipEntry entry;
    entry.Year = 7;
    entry.FileName = "x";
    EXPECT_LT(ZipGetEntryInfo(entry), 0);
    EXPECT_EQ(entry.Year, 0u);
    EXPECT_EQ(entry.FileName, "");
    EXPECT_LT(ZipExtractEntry(Destination(), 1), 0);
    EXPECT_EQ(ZipNextEntry(), -100);
    EXPECT_EQ(ZipCloseArchive(), 0);
    EXPECT_EQ(ZipFindEntry(path, "x", 0), -1);
  }
  EXPECT_EQ(ZipOpenArchive(ArchiveBytes(std::string("PK\x05\x06", 4) + std::string(10, '\x01'))), 0);
}

TEST_F(ZipReaderTest, FindEntryByFilePartOrWholeName) {
  const std::string path = Archive(ZipMaker()
                                       .Add("readme.txt", "r")
                                       .Add("SUB/tessary.EXE", "first")
                                       .Add("other/Tessary.exe", "second")
                                       .Add("bin/\xE9t\xE9.txt", "e"));
  EXPECT_EQ(ZipFindEntry(path, "Tessary.exe", 0), 1);
  EXPECT_EQ(ZipFindEntry(path, "x\\y/TESSARY.EXE", 0), 1);
  EXPECT_EQ(ZipFindEntry(path, "other\\tessary.exe", 1), 2);
  EXPECT_EQ(ZipFindEntry(path, "other/tessary.exe", 1), -1) << "whole names use backslashes";
  EXPECT_EQ(ZipFindEntry(path, "tessary.exe", 1), -1);
  EXPECT_EQ(ZipFindEntry(path, "missing.exe", 0), -1);
  EXPECT_EQ(ZipFindEntry(folder.Product() + "none.zip", "readme.txt", 0), -1);
  EXPECT_EQ(ZipFindEntry(ArchiveBytes("PK\x03\x04 not really", "bad.zip"), "readme.txt", 0), -1);

  EXPECT_EQ(ZipExtractEntryByIndex(path, -1, Destination(), 0), 0);
  EXPECT_FALSE(fs::exists(X())) << "index -1 opens nothing";
  EXPECT_EQ(ZipExtractEntryByIndex(path, 4, Destination(), 0), 0) << "past the last entry";
  EXPECT_EQ(ZipExtractEntryByIndex(path, 1, Destination(), 0), 1);
  EXPECT_EQ(ReadBytes(X() / "tessary.EXE"), "first");
}

TEST_F(ZipReaderTest, HostileEntriesWriteNothingAndLeaveTargetsAlone) {
  const std::string big(300000, 'q');
  struct Case {
    const char* name;
    ZipMaker::Entry entry;
    int keepPaths;
    int result;
  };
  const auto named = [](const std::string& name) {
    ZipMaker::Entry entry;
    entry.Name = name;
    entry.Data = "evil";
    return entry;
  };
  ZipMaker::Entry wrongCrc = named("target.txt");
  wrongCrc.Method = 0;
  wrongCrc.WrongCrc = true;
  ZipMaker::Entry cut = named("target.txt");
  cut.Data = big;
  cut.CutShort = true;
  ZipMaker::Entry encrypted = named("target.txt");
  encrypted.Password = "secret";
  const Case cases[] = {
      {"parent", named("../x.txt"), 1, -1},
      {"parent deeper", named("a/../../x.txt"), 1, -1},
      {"parent as file part", named("a/.."), 0, -1},
      {"dots and blanks", named("a/.. /x.txt"), 1, -1},
      {"drive without backslash", named("C:x.txt"), 1, -1},
      {"network path", named("\\\\srv\\s\\x.txt"), 1, -1},
      {"leading backslash", named("\\x.txt"), 1, -1},
      {"stream", named("x.txt:ads"), 1, -1},
      {"stream, bare name", named("d/x.txt:ads"), 0, -1},
      {"control byte", named("a\x01.txt"), 1, -1},
      {"name of 500 bytes", named(std::string(496, 'n') + ".txt"), 0, -1},
      {"stored with a wrong CRC", wrongCrc, 1, ZipCrcError},
      {"deflated and cut short", cut, 1, -5},  // the decompressor's Z_BUF_ERROR
      {"encrypted", encrypted, 1, ZipBadArchive},
  };
  for (const auto& c : cases) {
    fs::remove_all(folder.Root());
    fs::create_directories(X());
    folder.WriteFile("X/target.txt", "old");
    const std::string path = Archive(ZipMaker().Add(c.entry), "evil.zip");
    ASSERT_NE(ZipOpenArchive(path), 0) << c.name;
    EXPECT_EQ(ZipExtractEntry(Destination(), c.keepPaths), c.result) << c.name;
    ZipCloseArchive();
    EXPECT_EQ(ZipExtractEntryByIndex(path, 0, Destination(), c.keepPaths), 0) << c.name;
    EXPECT_EQ(ReadBytes(X() / "target.txt"), "old") << c.name;
    EXPECT_EQ(FilesBelow(folder.Root()), (std::vector<std::string>{"X/target.txt", "evil.zip"}))
        << c.name;
  }

  // A zero byte inside the stored name, and methods other than stored and
  // deflated, are made by changing the archive's bytes.
  std::string zero = ZipMaker().Add("aZb.txt", "data").Bytes();
  for (size_t at = zero.find("aZb"); at != std::string::npos; at = zero.find("aZb", at)) zero[at + 1] = '\0';
  std::string method9 = ZipMaker().Add("target.txt", "data", 0).Bytes();
  SetEveryMethod(method9, 9);
  std::string method12 = ZipMaker().Add("target.txt", "data", 0).Bytes();
  SetEveryMethod(method12, 12);
  const struct {
    const char* name;
    std::string bytes;
    int result;
  } patched[] = {{"zero byte in the name", zero, -1},
                 {"method 9", method9, ZipBadArchive},
                 {"method 12", method12, ZipBadArchive}};
  for (const auto& c : patched) {
    fs::remove_all(folder.Root());
    fs::create_directories(X());
    folder.WriteFile("X/target.txt", "old");
    const std::string path = ArchiveBytes(c.bytes, "evil.zip");
    ASSERT_NE(ZipOpenArchive(path), 0) << c.name;
    EXPECT_EQ(ZipExtractEntry(Destination(), 1), c.result) << c.name;
    ZipCloseArchive();
    EXPECT_EQ(ReadBytes(X() / "target.txt"), "old") << c.name;
    EXPECT_EQ(FilesBelow(folder.Root()), (std::vector<std::string>{"X/target.txt", "evil.zip"}))
        << c.name;
  }
}

TEST_F(ZipReaderTest, LargeEntriesAndTheWalkAfterARefusal) {
  std::string big(1000000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 7919) >> 3);
  const std::string path = Archive(ZipMaker().Add("../bad.txt", "x").Add("big.bin", big).Add("s.bin", big, 0));
  ASSERT_NE(ZipOpenArchive(path), 0);
  EXPECT_EQ(ZipExtractEntry(Destination(), 1), -1);
  EXPECT_EQ(ZipNextEntry(), 0);
  EXPECT_EQ(ZipExtractEntry(Destination(), 1), 0);
  EXPECT_EQ(ZipNextEntry(), 0);
  EXPECT_EQ(ZipExtractEntry(Destination(), 1), 0);
  EXPECT_EQ(ReadBytes(X() / "big.bin"), big);
  EXPECT_EQ(ReadBytes(X() / "s.bin"), big);
  EXPECT_FALSE(fs::exists(folder.Root() / "bad.txt"));
}
