#include "ui/preferences_dialog.h"

#include "app/folder_text.h"
#include "ui/control_numbers.h"

namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return text;
}

}  // namespace

void RunPreferences(UserSettings& settings, PreferencesForm& form) {
  if (!form.Open()) return;
  form.SetFolderField(settings.PureBasicFolder);
  form.SetChecked(DeleteBackupsCheckBox, settings.DeleteBackups != 0);
  form.SetChecked(UseApiCheckBox, settings.UseAPI != 0);
  form.SelectLanguage(UpperAscii(settings.DefaultDocLanguage) == "ENGLISH" ? 0 : 1);

  for (;;) {
    const WindowEvent event = form.WaitEvent();
    const int control = event.Kind == EventKind::Control ? event.Number : 0;
    if (control == ChooseFolderButton) {
      const std::string chosen =
          form.ChooseFolder("Please choose your PureBasic folder!", form.FolderField());
      if (!chosen.empty()) {
        settings.PureBasicFolder = chosen;
        form.SetFolderField(chosen);
      }
    } else if (control == ApplyButton) {
      settings.DeleteBackups = form.Checked(DeleteBackupsCheckBox) ? 1 : 0;
      settings.UseAPI = form.Checked(UseApiCheckBox) ? 1 : 0;
      settings.DefaultDocLanguage = form.SelectedLanguage();
      settings.PureBasicFolder = EnsureTrailingBackslash(form.FolderField());
      break;
    } else if (control == CancelButton || event.Kind == EventKind::CloseRequest) {
      break;
    }
  }
  form.Close();
}
