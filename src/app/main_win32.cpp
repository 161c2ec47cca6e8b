#include <windows.h>

#include "app/app_steps.h"
#include "app/tessary_app.h"
#include "app/win32_shell.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Win32Shell shell;
  AppSteps steps;
  RunTessary(shell, steps);
  return 0;
}
