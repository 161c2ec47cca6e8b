#include "install/archive_install.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fake_main_view.h"
#include "test_folder.h"
#include "zip_maker.h"

namespace fs = std::filesystem;

namespace {

class ArchiveInstallTest : public testing::Test {
 protected:
  void SetUp() override {
    state.Settings.PureBasicFolder = folder.Product() + "PB\\";
    fs::create_directories(folder.Root() / "PB");
    fs::create_directories(folder.Root() / "Backups");
  }

  // Each entry's data is its own name, so where a file landed shows which
  // entry it came from.
  std::string MakeArchive(std::initializer_list<const char*> names) {
    ZipMaker maker;
    for (const char* name : names) maker.Add(name, std::string("from ") + name);
    maker.Write((folder.Root() / "Backups" / "Lib.zip").string());
    return ArchivePath();
  }
  std::string ArchivePath() const { return folder.Product() + "Backups\\Lib.zip"; }
  bool ArchiveKept() const { return fs::exists(folder.Root() / "Backups" / "Lib.zip"); }
  std::vector<std::string> Installed() const { return FilesBelow(folder.Root() / "PB"); }
  std::string InstalledFrom(const std::string& relative) const {
    return ReadBytes(folder.Root() / "PB" / relative);
  }

  TestFolder folder;
  AppState state;
  FakeMainView view;
};

const std::initializer_list<const char*> WorkedExample = {
    "PureLibraries/UserLibraries/",
    "PureLibraries/UserLibraries/MyLib",
    "residents/MyLib.res",
    "SubSystems/UserLibUnicode/PureLibraries/MyLib",
    "Examples/MyLib/Demo.pb",
    "Help/MyLib.chm",
    "Help/English/MyLib.chm",
    "Help/English/img/logo.gif",
    "Help/Deutsch/MyLib.chm",
    "Help/Extra.chm",
    "ReadMe.txt",
};

}  // namespace

TEST_F(ArchiveInstallTest, WorkedExampleInEnglish) {
  EXPECT_EQ(InstallArchive(state, view, MakeArchive(WorkedExample)), 1);
  EXPECT_EQ(Installed(), (std::vector<std::string>{
                             "Examples/MyLib/Demo.pb", "Help/MyLib.chm", "Help/logo.gif",
                             "PureLibraries/UserLibraries/MyLib",
                             "SubSystems/UserLibUnicode/PureLibraries/MyLib", "residents/MyLib.res"}));
  EXPECT_EQ(InstalledFrom("Help/MyLib.chm"), "from Help/English/MyLib.chm");
  EXPECT_EQ(InstalledFrom("Help/logo.gif"), "from Help/English/img/logo.gif");
  EXPECT_TRUE(view.Log.empty());
  EXPECT_EQ(view.Drains, 11) << "one drain after every entry";
  EXPECT_FALSE(ArchiveKept());
}

TEST_F(ArchiveInstallTest, WorkedExampleInDeutsch) {
  state.Settings.DefaultDocLanguage = "Deutsch";
  EXPECT_EQ(InstallArchive(state, view, MakeArchive(WorkedExample)), 1);
  EXPECT_EQ(InstalledFrom("Help/MyLib.chm"), "from Help/Deutsch/MyLib.chm");
  EXPECT_FALSE(fs::exists(folder.Root() / "PB/Help/logo.gif"));
  EXPECT_FALSE(fs::exists(folder.Root() / "PB/Help/Extra.chm"));
}

TEST_F(ArchiveInstallTest, LanguageNeutralHelpOnlyBeforeThePreferredLanguage) {
  EXPECT_EQ(InstallArchive(state, view,
                           MakeArchive({"Help/Extra.chm", "Help/Sub/X.chm", "Help/English/A.chm",
                                        "Help/After.chm", "HELP/english/b.chm"})),
            1);
  EXPECT_EQ(Installed(), (std::vector<std::string>{"Help/A.chm", "Help/Extra.chm", "Help/b.chm"}));
}

TEST_F(ArchiveInstallTest, PrefixesMatchInAnyCaseAndOnlyWhole) {
  EXPECT_EQ(InstallArchive(state, view,
                           MakeArchive({"examples/a.pb", "RESIDENTS/B.RES", "Residents",
                                        "PureLibraries/UserLibrarie", "Examples", "ReadMe.txt",
                                        "subsystems/userlibthreadsafe/purelibraries/T"})),
            1);
  EXPECT_EQ(Installed(), (std::vector<std::string>{
                             "RESIDENTS/B.RES", "examples/a.pb",
                             "subsystems/userlibthreadsafe/purelibraries/T"}));
  EXPECT_TRUE(view.Log.empty());
}

TEST_F(ArchiveInstallTest, ArchivesThatCannotBeReadAreLoggedAndStillDeleted) {
  const std::string path = ArchivePath();
  const struct {
    const char* name;
    std::string bytes;
    int deleteBackups;
    const char* line;
    bool kept;
  } cases[] = {
      {"no entries", ZipMaker().Bytes(), 1, "Error! - cannot get fileinfo from archive: ", false},
      {"not an archive", "<html>not found</html>", 1, "Error! - cannot open archive: ", false},
      {"not an archive, kept", "<html>not found</html>", 0, "Error! - cannot open archive: ", true},
  };
  for (const auto& c : cases) {
    folder.WriteFile("Backups/Lib.zip", c.bytes);
    state.Settings.DeleteBackups = c.deleteBackups;
    FakeMainView log;
    EXPECT_EQ(InstallArchive(state, log, path), 0) << c.name;
    EXPECT_EQ(log.Log, std::vector<std::string>{c.line + path}) << c.name;
    EXPECT_EQ(ArchiveKept(), c.kept) << c.name;
  }
}

TEST_F(ArchiveInstallTest, OnlyDeleteBackupsOneRemovesTheArchive) {
  for (const int deleteBackups : {0, 2, -1}) {
    state.Settings.DeleteBackups = deleteBackups;
    EXPECT_EQ(InstallArchive(state, view, MakeArchive({"Residents/A.res"})), 1);
    EXPECT_TRUE(ArchiveKept()) << deleteBackups;
  }
}

TEST_F(ArchiveInstallTest, RefusedEntriesAreReportedWhileTheOthersInstall) {
  const std::string path = MakeArchive({"Residents/A.res", "Residents/../../evil.txt",
                                        "Examples/C:x.pb", "Examples/B.pb"});
  EXPECT_EQ(InstallArchive(state, view, path), 0);
  EXPECT_EQ(view.Log, (std::vector<std::string>{"ExtractError! - archive name: " + path,
                                                "ExtractError! - archive name: " + path}));
  EXPECT_EQ(FilesBelow(folder.Root()), (std::vector<std::string>{"PB/Examples/B.pb",
                                                                 "PB/Residents/A.res"}));
}
