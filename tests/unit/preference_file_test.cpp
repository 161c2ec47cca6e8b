#include "prefs/preference_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "test_folder.h"

namespace {

class PreferenceFileTest : public testing::Test {
 protected:
  void TearDown() override { PrefClose(); }

  // Opens a file holding these bytes.
  int OpenWith(const std::string& bytes) {
    folder.WriteFile("test.ini", bytes);
    return PrefOpen(Path());
  }
  std::string Path() const { return folder.Product() + "test.ini"; }
  std::string OnDisk() const { return ReadBytes(folder.Root() / "test.ini"); }

  TestFolder folder;
};

}  // namespace

TEST_F(PreferenceFileTest, GroupsAndKeysAreFoundIgnoringTheCaseOfAToZ) {
  const struct {
    const char* file;
    const char* group;
    int selected;
    const char* key;
    const char* value;  // nullptr: the default "?" comes back
  } cases[] = {
      {"[settings]\r\npurebasicfolder = C:\\PB\\\r\n", "Settings", 1, "PureBasicFolder", "C:\\PB\\"},
      {"[SETTINGS]\r\nPUREBASICFOLDER=x\r\n", "settings", 1, "purebasicfolder", "x"},
      {"[ Settings ]\r\nPureBasicFolder = x\r\n", "Settings", 0, "PureBasicFolder", nullptr},
      {"[\xC4rger]\r\nk = x\r\n", "\xE4rger", 0, "k", nullptr},  // only A to Z fold
      {"[Settings]\r\nPureBasicFolder = C:\\PB\\ \t \r\n", "Settings", 1, "PureBasicFolder",
       "C:\\PB\\"},
      {"[S]\r\nk = ;not a comment\r\n", "S", 1, "k", ";not a comment"},
      {"[S]\r\nk = \"quoted\"\r\n", "S", 1, "k", "\"quoted\""},
      {"[S]\r\nk = a = b\r\n", "S", 1, "k", "a = b"},
      {"[S]\r\n#k = 1\r\n", "S", 1, "#k", "1"},
      {"[S]\r\n; k = commented\r\n", "S", 1, "k", nullptr},
      {"[S]\r\n\t  k\t= v\r\n", "S", 1, "k", "v"},
      {"[Unclosed\r\nk = v\r\n", "Unclosed", 1, "k", "v"},
      {"[S] trailing words\r\nk = v\r\n", "S", 1, "k", "v"},
      {"[S]\r\nk = first\r\nk = second\r\n", "S", 1, "k", "first"},
      {"[S]\r\na = 1\r\n[S]\r\nb = 2\r\n", "s", 1, "b", nullptr},
      {"top = 1\r\n[S]\r\n", "S", 1, "top", nullptr},
      {"top = 1\r\n[S]\r\n", "", 1, "top", "1"},
      {"", "Settings", 0, "k", nullptr},
  };
  for (const auto& c : cases) {
    ASSERT_NE(OpenWith(c.file), 0) << c.file;
    EXPECT_EQ(PrefSelectGroup(c.group), c.selected) << c.file;
    EXPECT_EQ(PrefReadText(c.key, "?"), c.value ? c.value : "?") << c.file;
    PrefClose();
  }
}

TEST_F(PreferenceFileTest, EveryLineEndingReadsTheSame) {
  for (const char* end : {"\r\n", "\n", "\r", "\n\r", "\r\r\n\n"}) {
    const std::string e = end;
    ASSERT_NE(OpenWith("; c" + e + "[A]" + e + "word" + e + "[B]" + e + "k = v" + e + e + "n = 7"),
              0);
    EXPECT_EQ(PrefSelectGroup("A"), 1);
    EXPECT_EQ(PrefReadText("word", "?"), "") << "a key without = has an empty value";
    EXPECT_EQ(PrefSelectGroup("B"), 1);
    EXPECT_EQ(PrefReadText("k"), "v");
    EXPECT_EQ(PrefReadNumber("n", 0), 7);
    PrefClose();
  }
}

TEST_F(PreferenceFileTest, NumbersReadTheirLeadingDigits) {
  const struct {
    const char* line;  // nullptr: the key is missing
    int32_t defaultValue;
    int32_t read;
  } cases[] = {
      {"FirstStart =", 1, 0},        {"FirstStart = abc", 1, 0},
      {"FirstStart = 12abc", 1, 12}, {"FirstStart = -5", 1, -5},
      {"FirstStart = +7", 1, 7},     {"FirstStart = 007", 1, 7},
      {"FirstStart = - 5", 1, 0},    {"FirstStart = 2147483647", 1, 2147483647},
      {"FirstStart = 99999999999", 1, 2147483647},
      {"FirstStart = -2147483648", 1, -2147483647 - 1},
      {"FirstStart = -99999999999", 1, -2147483647 - 1},
      {nullptr, 1, 1},               {nullptr, -3, -3},
  };
  for (const auto& c : cases) {
    ASSERT_NE(OpenWith(std::string("[Settings]\r\n") + (c.line ? c.line : "Other = 5") + "\r\n"), 0);
    PrefSelectGroup("Settings");
    EXPECT_EQ(PrefReadNumber("FirstStart", c.defaultValue), c.read) << (c.line ? c.line : "missing");
    PrefClose();
  }
}

TEST_F(PreferenceFileTest, Utf8FilesReadAsIso88591) {
  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    std::string value;
    std::string read;
  } cases[] = {
      {"caf\xC3\xA9", "caf\xE9"},          // U+00E9
      {"\xC3\xBF", "\xFF"},                // U+00FF, the last one that fits
      {"\xC4\x80", ""},                    // U+0100 does not fit
      {"\xE2\x82\xAC uro", ""},            // U+20AC does not fit
      {"\xC3", ""},                        // cut sequence
      {"\xE9", ""},                        // a Latin-1 byte is no UTF-8
      {"plain", "plain"},
  };
  for (const auto& c : cases) {
    ASSERT_NE(OpenWith(bom + "[Gr\xC3\xBC\xC3\x9F" "e]\r\nk\xC3\xA9y = " + c.value + "\r\n"), 0);
    EXPECT_EQ(PrefSelectGroup("Gr\xFC\xDF" "e"), 1);
    EXPECT_EQ(PrefReadText("k\xE9y", "?"), c.read);
    PrefClose();
  }
  // Without the mark the same bytes are taken as they stand.
  ASSERT_NE(OpenWith("[G]\r\nk = caf\xC3\xA9\r\n"), 0);
  PrefSelectGroup("G");
  EXPECT_EQ(PrefReadText("k"), "caf\xC3\xA9");
}

TEST_F(PreferenceFileTest, MissingFileAndNoCurrentFileGiveDefaults) {
  EXPECT_EQ(PrefOpen(folder.Product() + "missing.ini"), 0);
  EXPECT_EQ(PrefSelectGroup("Settings"), 0);
  EXPECT_EQ(PrefSelectGroup(""), 0);
  EXPECT_EQ(PrefReadText("k", "d"), "d");
  EXPECT_EQ(PrefReadNumber("k", 4), 4);
  EXPECT_EQ(PrefWriteComment("x"), 0);
  PrefWriteText("k", "v");
  PrefClose();
  EXPECT_FALSE(std::filesystem::exists(folder.Root() / "missing.ini"));
}

TEST_F(PreferenceFileTest, CreatedFileHoldsExactlyTheWrittenLines) {
  ASSERT_NE(PrefCreate(Path()), 0);
  EXPECT_EQ(PrefWriteComment(""), 1);
  EXPECT_EQ(PrefWriteComment("a comment"), 1);
  EXPECT_EQ(PrefSelectGroup("Group"), 0);
  PrefWriteText("Key", "Value");
  PrefWriteNumber("Number", -42);
  PrefWriteNumber("Zero", 0);
  PrefClose();
  EXPECT_EQ(OnDisk(),
            "; \r\n; a comment\r\n[Group]\r\nKey = Value\r\nNumber = -42\r\nZero = 0\r\n");
}

TEST_F(PreferenceFileTest, WritesFollowTheSectionRules) {
  ASSERT_NE(PrefCreate(Path()), 0);
  PrefWriteText("top", "1");
  PrefSelectGroup("A");
  PrefWriteText("a1", "x");
  PrefSelectGroup("B");
  PrefWriteText("b1", "y");
  PrefSelectGroup("a");  // exists: later keys go to the end of its section
  PrefWriteText("a2", "z");
  PrefWriteText("A1", "replaced");  // found ignoring case; takes the new case
  PrefSelectGroup("");
  PrefWriteText("top2", "2");
  PrefWriteComment("after top2");
  PrefClose();
  EXPECT_EQ(OnDisk(),
            "top = 1\r\ntop2 = 2\r\n; after top2\r\n[A]\r\nA1 = replaced\r\na2 = z\r\n[B]\r\nb1 = "
            "y\r\n");
}

TEST_F(PreferenceFileTest, CreatedFileIsReplacedWholeOnlyAtClose) {
  folder.WriteFile("test.ini", "old content\r\n");
  ASSERT_NE(PrefCreate(Path()), 0);
  PrefWriteComment("new");
  EXPECT_EQ(OnDisk(), "old content\r\n") << "the old file stands until the new one is whole";
  PrefClose();
  EXPECT_EQ(OnDisk(), "; new\r\n");

  ASSERT_NE(PrefCreate(Path()), 0);
  PrefClose();
  EXPECT_EQ(OnDisk(), "") << "a created file with nothing written is empty";

  size_t leftovers = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Root())) {
    leftovers += entry.path().filename() != "test.ini";
  }
  EXPECT_EQ(leftovers, 0u);
}

TEST_F(PreferenceFileTest, CreateThatCannotCreateReturnsZeroAndWritesNothing) {
  EXPECT_EQ(PrefCreate(folder.Product() + "no such folder\\test.ini"), 0);
  EXPECT_EQ(PrefWriteComment("x"), 0);
  PrefWriteText("k", "v");
  PrefClose();
  EXPECT_FALSE(std::filesystem::exists(folder.Root() / "no such folder"));

  std::filesystem::create_directory(folder.Root() / "a folder");
  EXPECT_EQ(PrefCreate(folder.Product() + "a folder"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(folder.Root() / "a folder"));

  folder.WriteFile("test.ini", "kept\r\n");
  std::filesystem::permissions(folder.Root() / "test.ini", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_EQ(PrefCreate(Path()), 0);
  PrefWriteComment("x");
  PrefClose();
  EXPECT_EQ(OnDisk(), "kept\r\n");
  std::filesystem::permissions(folder.Root() / "test.ini", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

TEST_F(PreferenceFileTest, OpenedFileIsLeftUntouchedUnlessChanged) {
  const std::string odd = "\xEF\xBB\xBF  ;x\n\n[S]  \r key=v  \r\n";
  ASSERT_NE(OpenWith(odd), 0);
  PrefSelectGroup("S");
  PrefReadText("key");
  PrefSelectGroup("missing");
  PrefClose();
  EXPECT_EQ(OnDisk(), odd);

  // Writing into an opened file keeps its other lines and its byte-order mark.
  ASSERT_NE(OpenWith(odd), 0);
  PrefSelectGroup("s");
  PrefWriteText("KEY", "caf\xE9");
  PrefClose();
  EXPECT_EQ(OnDisk(), "\xEF\xBB\xBF; x\r\n[S]\r\nKEY = caf\xC3\xA9\r\n");
}

TEST_F(PreferenceFileTest, OpeningAnotherFileClosesAndWritesTheCurrentOne) {
  ASSERT_NE(PrefCreate(Path()), 0);
  PrefWriteComment("first");
  folder.WriteFile("other.ini", "[O]\r\nk = v\r\n");
  ASSERT_NE(PrefOpen(folder.Product() + "other.ini"), 0);
  EXPECT_EQ(OnDisk(), "; first\r\n");
  EXPECT_EQ(PrefSelectGroup("O"), 1);
  EXPECT_EQ(PrefReadText("k"), "v");
}

TEST_F(PreferenceFileTest, ManyGroupsSelectInAnyOrder) {
  std::string file;
  for (int i = 1; i <= 2000; ++i) {
    file += "[Library" + std::to_string(i) + "]\r\nName = Lib" + std::to_string(i) + "\r\n";
  }
  ASSERT_NE(OpenWith(file), 0);
  for (int i = 2000; i >= 1; i -= 7) {
    ASSERT_EQ(PrefSelectGroup("LIBRARY" + std::to_string(i)), 1);
    ASSERT_EQ(PrefReadText("name"), "Lib" + std::to_string(i));
  }
  EXPECT_EQ(PrefSelectGroup("Library2001"), 0);
  EXPECT_EQ(PrefReadText("Name", "none"), "none");
}
