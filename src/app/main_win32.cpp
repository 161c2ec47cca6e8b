#include <windows.h>

#include "app/app_steps.h"
#include "app/settings_file.h"
#include "app/tessary_app.h"
#include "app/win32_shell.h"
#include "install/download.h"
#include "ui/preferences_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Win32Shell shell;
  AppSteps steps;
  steps.LoadSettings = LoadSettings;
  steps.SaveSettings = SaveSettings;
  steps.ShowPreferences = ShowPreferences;
  steps.CloseNetworkLayer = CloseNetworkLayer;
  RunTessary(shell, steps);
  return 0;
}
