#include "ui/preferences_window.h"

#include "ui/control_numbers.h"
#include "ui/controls.h"
#include "ui/toolkit.h"

namespace {

enum PreferencesControl : int {
  PreferencesContainer = 11,
  ApplyButton = 24,
  CancelButton = 25,
};

bool Open() {
  toolkit::WindowArgs window;
  window.Number = PreferencesWindowNumber;
  window.Title = "Preferences";
  window.InnerWidth = 474;
  window.InnerHeight = 343;
  window.Owner = MainWindowNumber;
  if (!toolkit::OpenWindow(window)) return false;
  toolkit::EnableWindow(MainWindowNumber, false);

  const HWND dialog = toolkit::Window(PreferencesWindowNumber);
  const HWND container =
      controls::RaisedContainer({PreferencesContainer, dialog, 11, 12, 452, 320, ""});
  controls::PushButton({ApplyButton, container, 208, 278, 110, 25, "Apply"});
  controls::PushButton({CancelButton, container, 325, 278, 110, 25, "Cancel"});
  toolkit::ShowWindow(PreferencesWindowNumber);
  return true;
}

void Close() {
  // The main window comes back first, so it takes the activation.
  toolkit::EnableWindow(MainWindowNumber, true);
  toolkit::CloseWindow(PreferencesWindowNumber);
}

}  // namespace

void ShowPreferences(AppState&) {
  if (!Open()) return;
  for (;;) {
    const WindowEvent event = toolkit::WaitEvent();
    const int control = event.Kind == EventKind::Control ? event.Number : 0;
    if (control == ApplyButton || control == CancelButton ||
        (event.Kind == EventKind::CloseRequest && event.Window == PreferencesWindowNumber)) {
      break;
    }
  }
  Close();
}
