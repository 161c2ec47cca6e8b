#include "install/install_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fake_main_view.h"
#include "test_folder.h"
#include "zip_maker.h"

namespace fs = std::filesystem;

namespace {

class InstallRunTest : public testing::Test {
 protected:
  void SetUp() override {
    state.Paths.AppDir = folder.Product();
    state.Settings.PureBasicFolder = folder.Product() + "PB\\";
    state.NetworkReady = 1;
    fs::create_directories(folder.Root() / "Backups");
    transfers.PurgeUrlCache = [this](const std::string& url) { calls.push_back("purge " + url); };
    transfers.DownloadFile = [this](const UserSettings&, const std::string& url,
                                    const std::string& path) {
      calls.push_back("download " + url + " -> " + path);
      const auto served = archives.find(url);
      if (served == archives.end()) return 0;
      TestFolder::WriteAt(path, served->second);
      return 1;
    };
  }

  // A catalogue row: the name, its Url, and whether it is checked.
  void Row(const std::string& name, const std::string& url, bool checked) {
    state.Libraries.Names.push_back(name);
    state.Libraries.Versions.push_back("1");
    state.Libraries.Urls.push_back(url);
    state.Libraries.Identifiers.push_back(name + "_V");
    view.Rows.push_back(name + "\n<not installed>\n1");
    view.States.push_back(checked ? RowChecked : 0);
  }

  TestFolder folder;
  AppState state;
  FakeMainView view;
  Transfers transfers;
  std::map<std::string, std::string> archives;  // served bytes by URL
  std::vector<std::string> calls;
};

}  // namespace

TEST_F(InstallRunTest, OneGoodAndOneFailedDownload) {
  archives["http://h/files/Alpha.zip"] = ZipMaker().Add("Residents/Alpha.res", "a").Bytes();
  Row("Alpha", "h/files/Alpha.zip", true);
  Row("Skipped", "h/files/Skipped.zip", false);
  Row("Beta", "h/files/Beta.zip", true);
  EXPECT_EQ(InstallSelected(state, view, transfers), 0);
  EXPECT_EQ(view.Log, (std::vector<std::string>{"Download and install Alpha ... please wait!",
                                                "Download and install Beta ... please wait!",
                                                "Warning! - Download of Beta failed!",
                                                "1 file(s) successfully updated!",
                                                "Process complete!"}));
  const std::string backups = folder.Product() + "Backups\\";
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "purge http://h/files/Alpha.zip",
                       "download http://h/files/Alpha.zip -> " + backups + "Alpha.zip",
                       "purge http://h/files/Beta.zip",
                       "download http://h/files/Beta.zip -> " + backups + "Beta.zip"}));
  EXPECT_TRUE(fs::exists(folder.Root() / "PB/Residents/Alpha.res"));
  EXPECT_FALSE(fs::exists(folder.Root() / "Backups/Alpha.zip"));
  // Every announced step is drawn before the slow work that follows it.
  EXPECT_EQ(view.Calls[0], "log:Download and install Alpha ... please wait!");
  EXPECT_EQ(view.Calls[1], "drain");
  EXPECT_EQ(view.Calls.back(), "log:Process complete!");
}

TEST_F(InstallRunTest, NothingCheckedLogsNothing) {
  Row("Alpha", "h/Alpha.zip", false);
  InstallSelected(state, view, transfers);
  EXPECT_TRUE(view.Log.empty());
  EXPECT_TRUE(calls.empty());
}

TEST_F(InstallRunTest, EveryRowFailingHasNoClosingLines) {
  archives["http://h/Broken.zip"] = "not a zip";
  Row("Alpha", "h/Alpha.zip", true);
  Row("Broken", "h/Broken.zip", true);
  InstallSelected(state, view, transfers);
  const std::string broken = folder.Product() + "Backups\\Broken.zip";
  EXPECT_EQ(view.Log, (std::vector<std::string>{"Download and install Alpha ... please wait!",
                                                "Warning! - Download of Alpha failed!",
                                                "Download and install Broken ... please wait!",
                                                "Error! - cannot open archive: " + broken}));
}

TEST_F(InstallRunTest, WithoutTheNetworkNothingIsDownloaded) {
  state.NetworkReady = 0;
  Row("Alpha", "h/Alpha.zip", true);
  Row("Beta", "h/Beta.zip", true);
  InstallSelected(state, view, transfers);
  EXPECT_EQ(view.Log, (std::vector<std::string>{"Download and install Alpha ... please wait!",
                                                "ERROR - cannot init network!",
                                                "Download and install Beta ... please wait!",
                                                "ERROR - cannot init network!"}));
  EXPECT_EQ(calls, (std::vector<std::string>{"purge http://h/Alpha.zip", "purge http://h/Beta.zip"}));
}

TEST_F(InstallRunTest, ArchivesAreCountedNotFilesAndNamesMayCollide) {
  archives["http://a/files/Lib.zip"] =
      ZipMaker().Add("Residents/A.res", "a").Add("Examples/A.pb", "a").Bytes();
  archives["http://b/other\\Lib.zip"] = ZipMaker().Add("Residents/B.res", "b").Bytes();
  state.Settings.DeleteBackups = 0;
  Row("A", "a/files/Lib.zip", true);
  Row("B", "b/other\\Lib.zip", true);
  Row("Query", "c/files/Q.zip?v=1", true);
  InstallSelected(state, view, transfers);
  EXPECT_EQ(view.Log.at(view.Log.size() - 2), "2 file(s) successfully updated!");
  const std::string local = folder.Product() + "Backups\\Lib.zip";
  EXPECT_EQ(calls.at(1), "download http://a/files/Lib.zip -> " + local);
  EXPECT_EQ(calls.at(3), "download http://b/other\\Lib.zip -> " + local);
  EXPECT_EQ(calls.at(5), "download http://c/files/Q.zip?v=1 -> " + folder.Product() +
                             "Backups\\Q.zip?v=1");
  EXPECT_TRUE(fs::exists(folder.Root() / "PB/Residents/B.res"));
}
