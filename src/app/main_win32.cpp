#include <windows.h>

#include "app/app_steps.h"
#include "app/host_folder.h"
#include "app/settings_file.h"
#include "app/tessary_app.h"
#include "app/win32_shell.h"
#include "catalogue/library_list.h"
#include "install/download.h"
#include "install/install_run.h"
#include "ui/preferences_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Win32Shell shell;
  AppSteps steps;
  steps.DiscoverHostFolder = DiscoverHostFolder;
  steps.LoadSettings = LoadSettings;
  steps.SaveSettings = SaveSettings;
  steps.ShowPreferences = ShowPreferences;
  steps.CheckForUpdates = [](AppState& state, MainView& view) {
    return CheckForUpdates(state, view);
  };
  steps.InstallUpdates = [](AppState& state, MainView& view) {
    LockListForInstall(view);
    InstallSelected(state, view);
  };
  steps.ToggleAllRows = [](AppState&, MainView& view) { ToggleAllRows(view); };
  steps.CloseNetworkLayer = CloseNetworkLayer;
  RunTessary(shell, steps);
  return 0;
}
