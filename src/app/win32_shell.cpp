#include "app/win32_shell.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "ui/message_box.h"
#include "ui/toolkit.h"

void Win32Shell::InitFacilities() {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  // The folder chooser and the URL download service need COM on this thread.
  comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void Win32Shell::ReleaseFacilities() {
  if (comStarted_) CoUninitialize();
  comStarted_ = false;
}

BoxAnswer Win32Shell::ShowMessage(const std::string& title, const std::string& text, BoxIcon icon,
                                  BoxButtons buttons) {
  return ShowMessageBox(nullptr, title, text, icon, buttons);
}

int Win32Shell::OpenMainWindow(const AppState& state) { return window_.Open(state.ToolVersion); }

WindowEvent Win32Shell::WaitEvent() { return toolkit::WaitEvent(); }

void Win32Shell::CloseMainWindow() { window_.Close(); }
