// The real Win32 main window, in process: layout, log, rows and event draining.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/control_numbers.h"
#include "ui/main_window.h"
#include "ui/toolkit.h"

namespace {

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    ASSERT_EQ(window.Open("1.4"), 1);
    // Keeps the blocking event wait from waiting forever when a test fails.
    SetTimer(toolkit::Window(MainWindowNumber), 1, 50, nullptr);
  }
  void TearDown() override { window.Close(); }

  static std::string TextOf(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
  }

  static RECT PlaceInParent(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  WindowEvent NextControlOrMenuEvent() {
    for (int i = 0; i < 1000; ++i) {
      const WindowEvent event = toolkit::WaitEvent();
      if (event.Kind == EventKind::Control || event.Kind == EventKind::Menu) return event;
    }
    return {};
  }

  MainWindow window;
};

}  // namespace

TEST_F(MainWindowTest, LayoutFollowsTheTable) {
  const HWND main = toolkit::Window(MainWindowNumber);
  EXPECT_EQ(TextOf(main), "Orvik's Tessary v1.4");
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 450);
  EXPECT_TRUE(IsWindowVisible(main));

  // The menu bar came after the window: the outer size is the one of a
  // 450 x 503 inner area without it.
  const HMENU bar = GetMenu(main);
  ASSERT_NE(bar, nullptr);
  RECT outer;
  GetWindowRect(main, &outer);
  RECT expected = {0, 0, 450, 503};
  AdjustWindowRectEx(&expected, GetWindowLongA(main, GWL_STYLE), FALSE, 0);
  EXPECT_EQ(outer.right - outer.left, expected.right - expected.left);
  EXPECT_EQ(outer.bottom - outer.top, expected.bottom - expected.top);

  const HWND panel = toolkit::Control(MainPanel);
  const struct {
    int number;
    HWND parent;
    RECT place;
    const char* text;
    bool enabled;
  } cases[] = {
      {CheckForUpdatesButton, main, {16, 444, 136, 469}, "Check for updates", true},
      {InstallUpdatesButton, main, {142, 444, 262, 469}, "Install updates", false},
      {ExitButton, main, {316, 444, 436, 469}, "Exit", true},
      {MainPanel, main, {15, 15, 435, 428}, "", true},
      {LibraryList, panel, {11, 12, 403, 199}, "", true},
      {SelectAllCheckBox, panel, {11, 211, 166, 231}, "Select/UnSelect all libraries", false},
      {LogFrame, panel, {14, 240, 400, 394}, "Log", true},
      {LogPane, panel, {27, 261, 388, 381}, "Ready.", true},
  };
  for (const auto& c : cases) {
    const HWND hwnd = toolkit::Control(c.number);
    ASSERT_NE(hwnd, nullptr) << c.number;
    EXPECT_EQ(GetDlgCtrlID(hwnd), c.number);
    EXPECT_EQ(GetParent(hwnd), c.parent) << c.number;
    const RECT place = PlaceInParent(hwnd);
    EXPECT_EQ(place.left, c.place.left) << c.number;
    EXPECT_EQ(place.top, c.place.top) << c.number;
    EXPECT_EQ(place.right, c.place.right) << c.number;
    EXPECT_EQ(place.bottom, c.place.bottom) << c.number;
    EXPECT_EQ(TextOf(hwnd), c.text) << c.number;
    EXPECT_EQ(IsWindowEnabled(hwnd) != 0, c.enabled) << c.number;
  }

  const HWND list = toolkit::Control(LibraryList);
  const struct {
    const char* title;
    int width;
  } columns[] = {{"UserLibraries", 192}, {"Installed version", 95}, {"Internet version", 95}};
  for (int i = 0; i < 3; ++i) {
    char title[64] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(title, columns[i].title);
    EXPECT_EQ(column.cx, columns[i].width);
  }
  const auto extended = SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_TRUE(extended & LVS_EX_CHECKBOXES);
  EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
  EXPECT_FALSE(extended & LVS_EX_HEADERDRAGDROP);
}

TEST_F(MainWindowTest, LogAppendsBelowReadyWithoutWrappingAndShowsItsLastLine) {
  const HWND log = toolkit::Control(LogPane);
  window.AppendLog("first");
  EXPECT_EQ(TextOf(log), "Ready.\r\nfirst");

  window.AppendLog(std::string(600, 'x'));  // far wider than the pane
  EXPECT_EQ(SendMessageA(log, EM_GETLINECOUNT, 0, 0), 3);

  for (int i = 0; i < 200; ++i) {
    window.AppendLog("line " + std::to_string(i));
    const auto lines = SendMessageA(log, EM_GETLINECOUNT, 0, 0);
    const auto firstVisible = SendMessageA(log, EM_GETFIRSTVISIBLELINE, 0, 0);
    RECT area;
    SendMessageA(log, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    POINTL lastLine = {};
    const auto lastStart = SendMessageA(log, EM_LINEINDEX, lines - 1, 0);
    SendMessageA(log, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&lastLine), lastStart);
    ASSERT_GE(lastLine.y, area.top) << i << " first visible " << firstVisible;
    ASSERT_LT(lastLine.y, area.bottom) << i << " first visible " << firstVisible;
  }
}

TEST_F(MainWindowTest, RowsKeepTheirOrderAndStatesSetBothBits) {
  window.AddRow("Beta\n1.0\n1.1");
  window.AddRow("Alpha\n<not installed>\n2.0");
  EXPECT_EQ(window.RowCount(), 2);

  char text[64] = {};
  LVITEMA item = {};
  item.iSubItem = 1;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(toolkit::Control(LibraryList), LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "<not installed>");
  item.iSubItem = 0;
  SendMessageA(toolkit::Control(LibraryList), LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "Beta");

  EXPECT_EQ(window.GetRowState(0), 0);
  const int states[] = {RowSelected | RowChecked, RowChecked, 0, RowSelected, 0};
  for (const int state : states) {
    window.SetRowState(1, state);
    EXPECT_EQ(window.GetRowState(1), state);
    EXPECT_EQ(window.GetRowState(0), 0);
  }
}

TEST_F(MainWindowTest, ClicksReachTheLoopUnlessDrained) {
  PostMessageA(toolkit::Control(CheckForUpdatesButton), BM_CLICK, 0, 0);
  WindowEvent event = NextControlOrMenuEvent();
  EXPECT_EQ(event.Kind, EventKind::Control);
  EXPECT_EQ(event.Number, CheckForUpdatesButton);

  PostMessageA(toolkit::Control(CheckForUpdatesButton), BM_CLICK, 0, 0);
  PostMessageA(toolkit::Window(MainWindowNumber), WM_COMMAND, MAKEWPARAM(ExitMenuItem, 0), 0);
  window.DrainEvents();
  PostMessageA(toolkit::Control(ExitButton), BM_CLICK, 0, 0);
  event = NextControlOrMenuEvent();
  EXPECT_EQ(event.Kind, EventKind::Control);
  EXPECT_EQ(event.Number, ExitButton);

  PostMessageA(toolkit::Window(MainWindowNumber), WM_SYSCOMMAND, SC_CLOSE, 0);
  for (int i = 0; i < 100; ++i) {
    event = toolkit::WaitEvent();
    if (event.Kind != EventKind::Other) break;
  }
  EXPECT_EQ(event.Kind, EventKind::CloseRequest);
  EXPECT_NE(toolkit::Window(MainWindowNumber), nullptr);
}
