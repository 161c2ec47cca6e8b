#include "ui/main_window.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include "ui/control_numbers.h"
#include "ui/controls.h"
#include "ui/message_box.h"
#include "ui/toolkit.h"

namespace {

HMENU BuildMenuBar() {
  const HMENU bar = CreateMenu();
  const HMENU project = CreatePopupMenu();
  if (bar == nullptr || project == nullptr) {
    if (bar != nullptr) DestroyMenu(bar);
    if (project != nullptr) DestroyMenu(project);
    return nullptr;
  }
  AppendMenuA(project, MF_STRING, PreferencesMenuItem, "Preferences");
  AppendMenuA(project, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(project, MF_STRING, ExitMenuItem, "Exit");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(project), "Project");
  return bar;
}

HWND List() { return toolkit::Control(LibraryList); }

}  // namespace

int MainWindow::Open(const std::string& toolVersion) {
  toolkit::WindowArgs window;
  window.Number = MainWindowNumber;
  window.Title = "Orvik's Tessary v" + toolVersion;
  window.InnerWidth = 450;
  window.InnerHeight = 503;
  window.MinimizeBox = true;
  if (!toolkit::OpenWindow(window)) return 0;
  const HWND main = toolkit::Window(MainWindowNumber);

  // Attached after opening: the bar takes its height from the inner area and
  // the outer size stays as it is.
  if (const HMENU bar = BuildMenuBar()) {
    SetMenu(main, bar);
    DrawMenuBar(main);
  }

  controls::PushButton({CheckForUpdatesButton, main, 16, 444, 120, 25, "Check for updates"});
  controls::PushButton({InstallUpdatesButton, main, 142, 444, 120, 25, "Install updates"});
  controls::PushButton({ExitButton, main, 316, 444, 120, 25, "Exit"});
  const HWND panel = controls::RaisedContainer({MainPanel, main, 15, 15, 420, 413, ""});
  controls::CheckList({LibraryList, panel, 11, 12, 392, 187, ""},
                      {{"UserLibraries", 192}, {"Installed version", 95}, {"Internet version", 95}});
  controls::CheckBox({SelectAllCheckBox, panel, 11, 211, 155, 20, "Select/UnSelect all libraries"});
  controls::Frame({LogFrame, panel, 14, 240, 386, 154, "Log"});
  controls::LogArea({LogPane, panel, 27, 261, 361, 120, ""});
  if (const HWND log = toolkit::Control(LogPane)) SetWindowTextA(log, "Ready.");

  toolkit::EnableControl(InstallUpdatesButton, false);
  toolkit::EnableControl(SelectAllCheckBox, false);
  toolkit::ShowWindow(MainWindowNumber);
  return 1;
}

void MainWindow::Close() { toolkit::CloseWindow(MainWindowNumber); }

void MainWindow::AppendLog(const std::string& line) {
  const HWND log = toolkit::Control(LogPane);
  if (log == nullptr) return;
  GETTEXTLENGTHEX request = {GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  const LRESULT length = SendMessageA(log, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&request), 0);
  const std::string text = length > 0 ? "\r\n" + line : line;
  CHARRANGE end = {static_cast<LONG>(length), static_cast<LONG>(length)};
  SendMessageA(log, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
  SendMessageA(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(log, WM_VSCROLL, SB_BOTTOM, 0);
}

void MainWindow::DrainEvents() { toolkit::DrainEvents(); }

void MainWindow::EnableControl(int number, bool enabled) {
  toolkit::EnableControl(number, enabled);
}

void MainWindow::AddRow(const std::string& columns) {
  const HWND list = List();
  if (list == nullptr) return;
  const int row = RowCount();
  size_t start = 0;
  for (int column = 0;; ++column) {
    const size_t end = columns.find('\n', start);
    std::string text = columns.substr(start, end == std::string::npos ? end : end - start);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text.data();
    if (column == 0) {
      SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    } else {
      SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

int MainWindow::RowCount() {
  const HWND list = List();
  return list == nullptr ? 0 : static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int MainWindow::GetRowState(int row) {
  const HWND list = List();
  if (list == nullptr) return 0;
  const auto state = static_cast<UINT>(
      SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED | LVIS_STATEIMAGEMASK));
  int result = 0;
  if (state & LVIS_SELECTED) result |= RowSelected;
  if (((state & LVIS_STATEIMAGEMASK) >> 12) == 2) result |= RowChecked;
  return result;
}

void MainWindow::SetRowState(int row, int state) {
  const HWND list = List();
  if (list == nullptr) return;
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK((state & RowChecked) ? 2 : 1);
  if (state & RowSelected) item.state |= LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int MainWindow::SelectAllState() {
  const HWND box = toolkit::Control(SelectAllCheckBox);
  return box != nullptr && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

BoxAnswer MainWindow::ShowMessage(const std::string& title, const std::string& text, BoxIcon icon,
                                  BoxButtons buttons) {
  return ShowMessageBox(toolkit::Window(MainWindowNumber), title, text, icon, buttons);
}
