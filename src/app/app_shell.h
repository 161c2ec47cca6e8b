#pragma once

#include <string>

#include "app/app_state.h"
#include "platform/system.h"
#include "ui/main_view.h"
#include "ui/window_event.h"

// What the tool's lifecycle needs from its windowing side. The Win32 shell
// implements it with the real main window; tests script it.
class AppShell {
 public:
  virtual ~AppShell() = default;

  // Common controls, COM and whatever else the windows need.
  virtual void InitFacilities() = 0;
  virtual void ReleaseFacilities() = 0;

  // A modal box without an owner, for failures before the window exists.
  virtual BoxAnswer ShowMessage(const std::string& title, const std::string& text,
                                BoxIcon icon, BoxButtons buttons) = 0;

  // 1 when the main window was built, 0 when it could not be opened.
  virtual int OpenMainWindow(const AppState& state) = 0;
  virtual MainView& View() = 0;
  virtual WindowEvent WaitEvent() = 0;
  virtual void CloseMainWindow() = 0;

  virtual std::string ExecutableFile() { return ExecutablePath(); }
  virtual std::string TempFolder() { return SystemTempFolder(); }
};
