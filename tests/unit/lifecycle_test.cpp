#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "app/tessary_app.h"
#include "fake_main_view.h"
#include "platform/files.h"
#include "test_folder.h"
#include "ui/control_numbers.h"

namespace {

WindowEvent ControlEvent(int number) { return {EventKind::Control, number, 0}; }
WindowEvent MenuEvent(int number) { return {EventKind::Menu, number, 0}; }
WindowEvent CloseEvent() { return {EventKind::CloseRequest, 0, 0}; }
WindowEvent OtherEvent() { return {EventKind::Other, 0, 0}; }

class FakeShell : public AppShell {
 public:
  explicit FakeShell(std::vector<std::string>& calls) : calls_(calls) {}

  std::deque<WindowEvent> Events;
  std::string Exe;
  std::string Temp = "X:\\Temp";
  int OpenResult = 1;
  bool Exhausted = false;
  FakeMainView View_;
  std::vector<std::string> BoxTexts;

  void InitFacilities() override { calls_.push_back("init"); }
  void ReleaseFacilities() override { calls_.push_back("release"); }
  BoxAnswer ShowMessage(const std::string& title, const std::string& text, BoxIcon icon,
                        BoxButtons) override {
    calls_.push_back("box:" + title + (icon == BoxIcon::Error ? ":error" : ""));
    BoxTexts.push_back(text);
    return BoxAnswer::Ok;
  }
  int OpenMainWindow(const AppState&) override {
    calls_.push_back("open");
    return OpenResult;
  }
  MainView& View() override { return View_; }
  WindowEvent WaitEvent() override {
    if (Events.empty()) {
      Exhausted = true;
      return CloseEvent();
    }
    const WindowEvent event = Events.front();
    Events.pop_front();
    return event;
  }
  void CloseMainWindow() override { calls_.push_back("close-window"); }
  std::string ExecutableFile() override { return Exe; }
  std::string TempFolder() override { return Temp; }

 private:
  std::vector<std::string>& calls_;
};

// Wires every step to record its call; LoadSettings can change the state the
// way a settings file would.
struct ToolRun {
  TestFolder folder;
  std::vector<std::string> calls;
  FakeShell shell{calls};
  AppSteps steps;
  AppState loaded;  // the state as LoadSettings saw it
  AppState saved;   // the state as SaveSettings saw it
  std::string discovered;
  int firstStartInFile = 0;
  bool checkEndsTool = false;

  ToolRun() {
    shell.Exe = folder.Product() + "Tessary.exe";
    steps.DiscoverHostFolder = [this] { return discovered; };
    steps.LoadSettings = [this](AppState& state) {
      calls.push_back("load");
      loaded = state;
      state.Settings.FirstStart = firstStartInFile;
    };
    steps.SaveSettings = [this](const AppState& state) {
      calls.push_back("save");
      saved = state;
    };
    steps.ShowPreferences = [this](AppState&) { calls.push_back("prefs"); };
    steps.CheckForUpdates = [this](AppState&, MainView&) {
      calls.push_back("check");
      return checkEndsTool;
    };
    steps.InstallUpdates = [this](AppState&, MainView&) { calls.push_back("install"); };
    steps.ToggleAllRows = [this](AppState&, MainView&) { calls.push_back("toggle"); };
    steps.CloseNetworkLayer = [this] { calls.push_back("network-closed"); };
  }

  int Go(std::initializer_list<WindowEvent> events) {
    shell.Events.assign(events.begin(), events.end());
    return RunTessary(shell, steps);
  }
};

}  // namespace

TEST(Startup, SettlesStateFoldersAndBackups) {
  ToolRun run;
  EXPECT_EQ(run.Go({ControlEvent(ExitButton)}), 0);

  const AppState& s = run.loaded;
  EXPECT_EQ(s.ToolVersion, "1.4");
  EXPECT_EQ(s.ServerToolVersion, "1.4");
  EXPECT_EQ(s.Paths.AppDir, run.folder.Product());
  EXPECT_EQ(s.Paths.TempDir, "X:\\Temp\\");
  EXPECT_EQ(s.Settings.PureBasicFolder, "C:\\PureBasic\\");
  EXPECT_EQ(s.Settings.DefaultDocLanguage, "English");
  EXPECT_EQ(s.Settings.FirstStart, 1);
  EXPECT_EQ(s.Settings.DeleteBackups, 1);
  EXPECT_EQ(s.Settings.UseAPI, 0);
  EXPECT_EQ(s.NetworkReady, 0);
  EXPECT_TRUE(s.Libraries.Names.empty());
  EXPECT_EQ(FileSize(run.folder.Product() + "Backups\\"), -2);
}

TEST(Startup, DiscoveredFolderGetsTheTrailingBackslash) {
  const struct {
    const char* discovered;
    const char* used;
  } cases[] = {
      {"D:\\Program Files\\PureBasic\\", "D:\\Program Files\\PureBasic\\"},
      {"D:\\PB", "D:\\PB\\"},
      {"D:/PB/", "D:/PB/\\"},
      {"", "C:\\PureBasic\\"},
  };
  for (const auto& c : cases) {
    ToolRun run;
    run.discovered = c.discovered;
    run.Go({ControlEvent(ExitButton)});
    EXPECT_EQ(run.loaded.Settings.PureBasicFolder, c.used) << c.discovered;
  }
}

TEST(Startup, ExistingBackupsFolderIsKept) {
  ToolRun run;
  run.folder.WriteFile("Backups/old.zip", "kept");
  run.Go({ControlEvent(ExitButton)});
  EXPECT_EQ(FileSize(run.folder.Product() + "Backups\\old.zip"), 4);
  EXPECT_EQ(run.calls.front(), "init");
  EXPECT_EQ(run.calls.back(), "release");
}

TEST(Startup, FileNamedBackupsEndsTheToolBeforeAnyWindowOrSettings) {
  ToolRun run;
  run.folder.WriteFile("Backups", "not a folder");
  EXPECT_EQ(run.Go({ControlEvent(ExitButton)}), 0);
  EXPECT_EQ(run.calls, (std::vector<std::string>{"init", "box:ERROR:error", "release"}));
  ASSERT_EQ(run.shell.BoxTexts.size(), 1u);
  EXPECT_EQ(run.shell.BoxTexts[0], "An Error has occurred - cannot create backup folder!");
  EXPECT_EQ(FileSize(run.folder.Product() + "Backups"), 12);
}

TEST(Lifecycle, FirstStartOpensPreferencesOnceAndSavesZero) {
  const struct {
    int inFile;
    bool prefs;
    int saved;
  } cases[] = {{1, true, 0}, {0, false, 0}, {2, false, 2}, {-1, false, -1}};
  for (const auto& c : cases) {
    ToolRun run;
    run.firstStartInFile = c.inFile;
    run.Go({ControlEvent(ExitButton)});
    const std::vector<std::string> withPrefs = {"init",  "load",         "open", "prefs",
                                                "close-window", "save", "network-closed",
                                                "release"};
    std::vector<std::string> expected = withPrefs;
    if (!c.prefs) expected.erase(expected.begin() + 3);
    EXPECT_EQ(run.calls, expected) << c.inFile;
    EXPECT_EQ(run.saved.Settings.FirstStart, c.saved) << c.inFile;
  }
}

TEST(Lifecycle, LoopPassesHandleEventsInTheirOrder) {
  const struct {
    const char* name;
    std::vector<WindowEvent> events;
    bool checkEndsTool;
    std::vector<std::string> handled;
    size_t eventsLeft;
  } cases[] = {
      {"exit button", {ControlEvent(ExitButton), OtherEvent()}, false, {}, 1},
      {"exit menu item", {MenuEvent(ExitMenuItem), OtherEvent()}, false, {}, 1},
      {"close box", {CloseEvent(), OtherEvent()}, false, {}, 1},
      {"preferences then a click acts once",
       {MenuEvent(PreferencesMenuItem), ControlEvent(CheckForUpdatesButton),
        ControlEvent(ExitButton)},
       false,
       {"prefs", "check"},
       0},
      {"install, select-all and ignored events",
       {ControlEvent(InstallUpdatesButton), OtherEvent(), ControlEvent(LibraryList),
        ControlEvent(SelectAllCheckBox), MenuEvent(99), ControlEvent(ExitButton)},
       false,
       {"install", "toggle"},
       0},
      {"check that ends the tool",
       {ControlEvent(CheckForUpdatesButton), ControlEvent(InstallUpdatesButton)},
       true,
       {"check"},
       1},
      {"menu numbers are not control numbers",
       {MenuEvent(CheckForUpdatesButton), MenuEvent(InstallUpdatesButton),
        MenuEvent(SelectAllCheckBox), MenuEvent(ExitButton), ControlEvent(ExitMenuItem),
        ControlEvent(PreferencesMenuItem), CloseEvent()},
       false,
       {},
       0},
  };
  for (const auto& c : cases) {
    ToolRun run;
    run.firstStartInFile = 0;
    run.checkEndsTool = c.checkEndsTool;
    run.shell.Events.assign(c.events.begin(), c.events.end());
    RunTessary(run.shell, run.steps);

    std::vector<std::string> expected = {"init", "load", "open"};
    expected.insert(expected.end(), c.handled.begin(), c.handled.end());
    expected.insert(expected.end(), {"close-window", "save", "network-closed", "release"});
    EXPECT_EQ(run.calls, expected) << c.name;
    EXPECT_EQ(run.shell.Events.size(), c.eventsLeft) << c.name;
    EXPECT_FALSE(run.shell.Exhausted) << c.name;
  }
}

TEST(Lifecycle, MainWindowThatCannotOpenIsReportedAndTheToolEnds) {
  ToolRun run;
  run.firstStartInFile = 1;
  run.shell.OpenResult = 0;
  run.Go({ControlEvent(ExitButton)});
  EXPECT_EQ(run.calls, (std::vector<std::string>{"init", "load", "open", "box:ERROR:error", "save",
                                                 "network-closed", "release"}));
  EXPECT_EQ(run.shell.BoxTexts.at(0), "An Error has occurred - cannot open main window!");
}
