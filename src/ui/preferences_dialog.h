#pragma once

#include <string>

#include "app/app_state.h"
#include "ui/window_event.h"

// The Preferences dialog's controls as its logic uses them. The Win32
// window implements it; tests use a fake.
class PreferencesForm {
 public:
  virtual ~PreferencesForm() = default;
  // Opens window 1 with its controls and disables the main window; false
  // when the window cannot be opened.
  virtual bool Open() = 0;
  // Enables the main window again, then closes window 1.
  virtual void Close() = 0;
  virtual WindowEvent WaitEvent() = 0;

  virtual void SetFolderField(const std::string& folder) = 0;
  virtual std::string FolderField() = 0;
  virtual void SetChecked(int checkBox, bool checked) = 0;
  virtual bool Checked(int checkBox) = 0;
  virtual void SelectLanguage(int item) = 0;  // 0 English, 1 Deutsch
  virtual std::string SelectedLanguage() = 0;
  // The chosen folder ending in a backslash, or empty text when cancelled.
  virtual std::string ChooseFolder(const std::string& title, const std::string& start) = 0;
};

// Shows the dialog until Apply, Cancel or its close box. Apply stores the
// four controls; a folder picked with "..." is stored at once, whichever way
// the dialog closes. FirstStart is never touched.
void RunPreferences(UserSettings& settings, PreferencesForm& form);
