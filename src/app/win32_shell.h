#pragma once

#include "app/app_shell.h"
#include "ui/main_window.h"

// The tool's real windowing side: Win32 facilities, the main window and the
// toolkit's event source.
class Win32Shell : public AppShell {
 public:
  void InitFacilities() override;
  void ReleaseFacilities() override;
  BoxAnswer ShowMessage(const std::string& title, const std::string& text, BoxIcon icon,
                        BoxButtons buttons) override;
  int OpenMainWindow(const AppState& state) override;
  MainView& View() override { return window_; }
  WindowEvent WaitEvent() override;
  void CloseMainWindow() override;

 private:
  MainWindow window_;
  bool comStarted_ = false;
};
