#include "app/tessary_app.h"

#include "app/main_loop.h"
#include "app/startup.h"

int RunTessary(AppShell& shell, const AppSteps& steps) {
  AppState state;
  shell.InitFacilities();
  if (!SettleStartupState(state, shell, steps)) {
    shell.ReleaseFacilities();
    return 0;
  }
  steps.LoadSettings(state);

  if (shell.OpenMainWindow(state) != 0) {
    if (state.Settings.FirstStart == 1) {
      // Cleared first, so the settings written at the end of this run say 0.
      state.Settings.FirstStart = 0;
      steps.ShowPreferences(state);
    }
    RunEventLoop(state, shell, steps);
    shell.CloseMainWindow();
  } else {
    // Without a window no event could ever end the loop; tell the user and
    // end the normal way instead of hanging invisibly.
    shell.ShowMessage("ERROR", "An Error has occurred - cannot open main window!",
                      BoxIcon::Error, BoxButtons::Ok);
  }

  steps.SaveSettings(state);
  steps.CloseNetworkLayer();
  shell.ReleaseFacilities();
  return 0;
}
