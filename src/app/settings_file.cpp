#include "app/settings_file.h"

#include "prefs/preference_file.h"

namespace {

std::string SettingsPath(const AppState& state) { return state.Paths.AppDir + "Tessary.ini"; }

}  // namespace

void LoadSettings(AppState& state) {
  if (PrefOpen(SettingsPath(state)) == 0) return;
  if (PrefSelectGroup("Settings") != 0) {
    UserSettings& settings = state.Settings;
    // Taken as read: no range checks, and a folder keeps whatever ending it has.
    settings.PureBasicFolder = PrefReadText("PureBasicFolder", settings.PureBasicFolder);
    settings.DefaultDocLanguage = PrefReadText("DefaultDocLanguage", settings.DefaultDocLanguage);
    settings.FirstStart = PrefReadNumber("FirstStart", 1);
    settings.DeleteBackups = PrefReadNumber("DeleteBackups", 1);
    settings.UseAPI = PrefReadNumber("UseAPI", 0);
  }
  PrefClose();
}

void SaveSettings(const AppState& state) {
  if (PrefCreate(SettingsPath(state)) == 0) return;
  PrefWriteComment("");
  PrefWriteComment("Orvik's Tessary configuration");
  PrefWriteComment("");
  PrefSelectGroup("Settings");
  PrefWriteComment("");
  const UserSettings& settings = state.Settings;
  PrefWriteText("PureBasicFolder", settings.PureBasicFolder);
  PrefWriteText("DefaultDocLanguage", settings.DefaultDocLanguage);
  PrefWriteNumber("FirstStart", settings.FirstStart);
  PrefWriteNumber("DeleteBackups", settings.DeleteBackups);
  PrefWriteNumber("UseAPI", settings.UseAPI);
  PrefClose();
}
