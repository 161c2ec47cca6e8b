#include "app/main_loop.h"

#include "ui/control_numbers.h"

void RunEventLoop(AppState& state, AppShell& shell, const AppSteps& steps) {
  for (;;) {
    const WindowEvent event = shell.WaitEvent();
    const int control = event.Kind == EventKind::Control ? event.Number : 0;
    const int menuItem = event.Kind == EventKind::Menu ? event.Number : 0;

    if (menuItem == PreferencesMenuItem) steps.ShowPreferences(state);
    if (control == ExitButton || menuItem == ExitMenuItem) return;
    if (control == CheckForUpdatesButton && steps.CheckForUpdates(state, shell.View())) return;
    if (control == InstallUpdatesButton) steps.InstallUpdates(state, shell.View());
    if (control == SelectAllCheckBox) steps.ToggleAllRows(state, shell.View());
    if (event.Kind == EventKind::CloseRequest) return;
  }
}
