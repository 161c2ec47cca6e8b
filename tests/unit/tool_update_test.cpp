#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/catalogue_fetch.h"
#include "fake_main_view.h"
#include "selfupdate/finalizer_handoff.h"
#include "selfupdate/tool_update.h"
#include "selfupdate/tool_version_check.h"
#include "test_folder.h"
#include "zip_maker.h"

namespace fs = std::filesystem;

namespace {

const char* const Question =
    "Updater has detect a new version (v1.5) of Tessary.\nIt's required to download and install "
    "this new version before\nyou can again update libraries. (otherwise updater will exit)\n\n"
    "Download and install now the new version ?";

class ToolUpdateTest : public testing::Test {
 protected:
  void SetUp() override {
    state.ToolVersion = "1.4";
    state.ServerToolVersion = "1.5";
    state.UpdateServer = "updates.example:8080";
    state.Paths.AppDir = folder.Product();
    state.NetworkReady = 1;
    fs::create_directories(folder.Root() / "Backups");
    transfers.PurgeUrlCache = [this](const std::string& url) {
      calls.push_back("purge " + url);
      view.Calls.push_back("purge");
    };
    transfers.DownloadFile = [this](const UserSettings&, const std::string& url,
                                    const std::string& path) {
      calls.push_back("download " + url + " -> " + path);
      if (package.empty()) return 0;
      TestFolder::WriteAt(path, package);
      return 1;
    };
    transfers.RunUpdateFinalizer = [this](const AppState&) { calls.push_back("hand-off"); };
  }

  TestFolder folder;
  AppState state;
  FakeMainView view;
  Transfers transfers;
  std::string package;  // the served Brimlet.zip; empty: the download fails
  std::vector<std::string> calls;
};

}  // namespace

TEST_F(ToolUpdateTest, OnlyEqualVersionTextMeansNoQuestion) {
  const struct {
    const char* server;
    bool asked;
  } cases[] = {{"1.4", false}, {"1.3", true}, {"1.5", true}, {"1.40", true}, {"v1.4", true},
               {"1.4 ", true}, {"", true}};
  for (const auto& c : cases) {
    FakeMainView asked;
    state.ServerToolVersion = c.server;
    asked.NextAnswer = BoxAnswer::No;
    EXPECT_EQ(RunToolVersionCheck(state, asked, transfers), c.asked) << c.server;
    EXPECT_EQ(asked.Boxes.size(), c.asked ? 1u : 0u) << c.server;
  }
  EXPECT_TRUE(calls.empty()) << "No downloads nothing";
}

TEST_F(ToolUpdateTest, BlanksAfterTheCatalogueVersionAreDropped) {
  TestFolder temp;
  state.Paths.TempDir = temp.Product();
  state.ServerToolVersion = "1.4";
  transfers.DownloadFile = [](const UserSettings&, const std::string&, const std::string& path) {
    TestFolder::WriteAt(path, "[Updater]\r\nVersion = 1.4  \t \r\n[Library1]\r\nName = A\r\n");
    return 1;
  };
  ASSERT_EQ(FetchCatalogue(state, transfers), 1);
  EXPECT_FALSE(RunToolVersionCheck(state, view, transfers));
  EXPECT_TRUE(view.Boxes.empty());
}

TEST_F(ToolUpdateTest, TheQuestionAndASuccessfulUpdate) {
  package = ZipMaker().Add("readme.txt", "r").Add("bin/TESSARY.EXE", "new tool").Bytes();
  view.NextAnswer = BoxAnswer::Yes;
  EXPECT_TRUE(RunToolVersionCheck(state, view, transfers));
  ASSERT_EQ(view.Boxes.size(), 2u);
  EXPECT_EQ(view.Boxes[0].Title, "Info");
  EXPECT_EQ(view.Boxes[0].Text, Question);
  EXPECT_EQ(view.Boxes[0].Icon, BoxIcon::None);
  EXPECT_EQ(view.Boxes[0].Buttons, BoxButtons::YesNo);
  EXPECT_EQ(view.Boxes[1].Title, "Info");
  EXPECT_EQ(view.Boxes[1].Text,
            "Download complete!\n\nPlease click now on 'OK' to exit old updater and continue with "
            "update process.");
  EXPECT_EQ(view.Boxes[1].Icon, BoxIcon::Information);
  EXPECT_EQ(view.Log, (std::vector<std::string>{"Download new version of Brimlet ... please wait!",
                                                "Done!"}));
  EXPECT_EQ(ReadBytes(folder.Root() / "Backups" / "TESSARY.EXE"), "new tool");
  EXPECT_FALSE(fs::exists(folder.Root() / "Backups" / "Brimlet.zip"));
  const std::string url = "http://updates.example:8080/files/Brimlet.zip";
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "purge " + url,
                       "download " + url + " -> " + folder.Product() + "Backups\\Brimlet.zip",
                       "hand-off"}));
  EXPECT_EQ(view.Calls, (std::vector<std::string>{
                            "box:Info", "disable:4", "disable:7", "disable:8",
                            "log:Download new version of Brimlet ... please wait!", "drain",
                            "purge", "log:Done!", "box:Info"}));
}

TEST_F(ToolUpdateTest, FailuresAreToldAndTheToolGoesOn) {
  const struct {
    const char* name;
    int networkReady;
    std::string package;
    int deleteBackups;
    const char* line;
    bool packageKept;
  } cases[] = {
      {"no network", 0, "", 1, "An ERROR has occurred - cannot download tool!", false},
      {"download fails", 1, "", 1, "An ERROR has occurred - cannot download tool!", false},
      {"no Tessary.exe", 1, ZipMaker().Add("bin/Other.exe", "x").Bytes(), 1,
       "An ERROR has occurred - cannot update tool!", false},
      {"not an archive", 1, "<html>", 0, "An ERROR has occurred - cannot update tool!", true},
      {"kept", 1, ZipMaker().Add("Tessary.exe", "new").Bytes(), 0, "Done!", true},
  };
  for (const auto& c : cases) {
    fs::remove_all(folder.Root() / "Backups");
    fs::create_directories(folder.Root() / "Backups");
    state.NetworkReady = c.networkReady;
    state.Settings.DeleteBackups = c.deleteBackups;
    package = c.package;
    calls.clear();
    FakeMainView shown;
    EXPECT_EQ(DownloadToolUpdate(state, shown, transfers), std::string(c.line) == "Done!") << c.name;
    EXPECT_EQ(shown.Log.back(), c.line) << c.name;
    ASSERT_EQ(shown.Boxes.size(), 1u) << c.name;
    if (std::string(c.line) != "Done!") {
      EXPECT_EQ(shown.Boxes[0].Text, c.line) << c.name;
      EXPECT_EQ(shown.Boxes[0].Icon, BoxIcon::Error) << c.name;
    }
    EXPECT_EQ(shown.Boxes[0].Title, "Info") << c.name;
    EXPECT_EQ(calls.at(0).rfind("purge ", 0), 0u) << c.name << ": purged before the network test";
    EXPECT_EQ(fs::exists(folder.Root() / "Backups" / "Brimlet.zip"), c.packageKept) << c.name;
  }
}

TEST_F(ToolUpdateTest, FailedUpdateKeepsTheToolRunning) {
  view.NextAnswer = BoxAnswer::Yes;
  EXPECT_FALSE(RunToolVersionCheck(state, view, transfers));
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "hand-off"), 0);
}

TEST(FinalizerHandOff, ArgumentsNameTheSourceAndTheRunningFile) {
  EXPECT_EQ(FinalizerArguments("C:\\My Tools\\", "Tessary.exe"),
            "\"/FinalizeUpdate\" \"C:\\My Tools\\Backups\\Tessary.exe\" \"C:\\My "
            "Tools\\Tessary.exe\"");
  EXPECT_EQ(FinalizerArguments("D:\\x\\", "MyUpdater.exe"),
            "\"/FinalizeUpdate\" \"D:\\x\\Backups\\Tessary.exe\" \"D:\\x\\MyUpdater.exe\"");
}
