#include "catalogue/library_list.h"

#include <gtest/gtest.h>

#include "fake_main_view.h"
#include "test_folder.h"
#include "ui/control_numbers.h"

namespace {

// A catalogue whose libraries have residents files with these versions.
struct Library {
  const char* name;
  const char* installed;  // nullptr: no residents file
  const char* internet;
};

AppState StateWith(const TestFolder& folder, std::initializer_list<Library> libraries) {
  AppState state;
  state.Settings.PureBasicFolder = folder.Product();
  for (const Library& library : libraries) {
    state.Libraries.Names.push_back(library.name);
    state.Libraries.Versions.push_back(library.internet);
    state.Libraries.Urls.push_back(std::string("h/") + library.name + ".zip");
    state.Libraries.Identifiers.push_back(std::string(library.name) + "_V");
    if (library.installed) {
      folder.WriteFile(std::string("Residents/") + library.name + ".res",
                       std::string(library.name) + "_V::" + library.installed + std::string(1, '\0'));
    }
  }
  return state;
}

}  // namespace

TEST(LibraryList, FillShowsBothVersionsAndChecksEveryDifference) {
  TestFolder folder;
  folder.WriteFile("PureLibraries/UserLibraries/Lonely", "lib");
  AppState state = StateWith(folder, {{"Same", "2.10", "2.10"},
                                      {"Shorter", "2.1", "2.10"},
                                      {"Case", "1.0a", "1.0A"},
                                      {"Lonely", nullptr, "1.0"},
                                      {"Missing", nullptr, ""},
                                      {"Odd", nullptr, "<not installed>"},
                                      {"Blank", "3.0", "3.0 "}});
  FakeMainView view;
  FillLibraryList(state, view);
  EXPECT_EQ(view.Log, std::vector<std::string>{"7 Libraries found!"});
  EXPECT_EQ(view.Rows, (std::vector<std::string>{
                           "Same\n2.10\n2.10", "Shorter\n2.1\n2.10", "Case\n1.0a\n1.0A",
                           "Lonely\n<unknown>\n1.0", "Missing\n<not installed>\n",
                           "Odd\n<not installed>\n<not installed>", "Blank\n3.0\n3.0 "}));
  EXPECT_EQ(view.States, (std::vector<int>{0, RowChecked, RowChecked, RowChecked, RowChecked, 0,
                                           RowChecked}));
  EXPECT_EQ(view.Drains, 0);
  EXPECT_EQ(view.Calls.at(1), "enable:4");
  EXPECT_EQ(view.Calls.at(2), "enable:8");
}

TEST(LibraryList, OneLibraryHasNoSingularForm) {
  TestFolder folder;
  AppState state = StateWith(folder, {{"Only", "1", "1"}});
  FakeMainView view;
  FillLibraryList(state, view);
  EXPECT_EQ(view.Log, std::vector<std::string>{"1 Libraries found!"});
}

TEST(LibraryList, SelectAllChecksOrUnchecksEveryRowAndDropsTheSelection) {
  FakeMainView view;
  view.Rows = {"a", "b", "c"};
  view.States = {RowChecked | RowSelected, 0, RowChecked};
  view.SelectAll = 1;
  ToggleAllRows(view);
  EXPECT_EQ(view.States, (std::vector<int>{RowChecked, RowChecked, RowChecked}));
  view.States[1] |= RowSelected;
  view.SelectAll = 0;
  ToggleAllRows(view);
  EXPECT_EQ(view.States, (std::vector<int>{0, 0, 0}));
}

TEST(LibraryList, LockDisablesTheListOnlyWhenARowIsChecked) {
  FakeMainView view;
  view.Rows = {"a", "b"};
  view.States = {RowSelected, 0};
  LockListForInstall(view);
  EXPECT_TRUE(view.Calls.empty());
  view.States = {RowSelected, RowChecked};
  LockListForInstall(view);
  EXPECT_EQ(view.Calls, (std::vector<std::string>{"disable:4", "disable:7", "disable:8"}));
}

TEST(LibraryList, CheckHandlerLogsAndLocksTheButtonOnlyAfterAGoodCatalogue) {
  TestFolder folder;
  AppState state;
  state.ToolVersion = state.ServerToolVersion = "1.4";
  state.Paths.TempDir = folder.Product();
  state.Settings.PureBasicFolder = folder.Product();
  state.NetworkReady = 1;

  const struct {
    const char* name;
    const char* catalogue;  // nullptr: the download fails
    std::vector<std::string> calls;
  } cases[] = {
      {"download fails",
       nullptr,
       {"log:Checking for updates ... please wait a moment!", "drain",
        "log:An Error has occurred - cannot read ini-file from server!"}},
      {"no Library1",
       "[Updater]\r\nVersion = 1.4\r\n",
       {"log:Checking for updates ... please wait a moment!", "drain",
        "log:An Error has occurred - cannot read ini-file from server!"}},
      {"one library",
       "[Library1]\r\nName = A\r\nVersion = 1\r\n",
       {"log:Checking for updates ... please wait a moment!", "drain", "disable:3",
        "log:1 Libraries found!", "enable:4", "enable:8"}},
  };
  for (const auto& c : cases) {
    Transfers transfers;
    transfers.DownloadFile = [&c](const UserSettings&, const std::string&, const std::string& path) {
      if (c.catalogue == nullptr) return 0;
      TestFolder::WriteAt(path, c.catalogue);
      return 1;
    };
    FakeMainView view;
    EXPECT_FALSE(CheckForUpdates(state, view, transfers)) << c.name;
    EXPECT_EQ(view.Calls, c.calls) << c.name;
  }
}
