#include "app/startup.h"

#include "app/folder_text.h"
#include "platform/files.h"
#include "platform/system.h"

#if !defined(TESSARY_DEFAULT_UPDATE_SERVER) || !defined(TESSARY_TOOL_VERSION)
#error "the build names the default update server and the tool's version"
#endif

bool SettleStartupState(AppState& state, AppShell& shell, const AppSteps& steps) {
  state.ToolVersion = TESSARY_TOOL_VERSION;
  state.ServerToolVersion = state.ToolVersion;
  state.Settings.FirstStart = 1;
  state.Paths.TempDir = shell.TempFolder();
  state.Paths.AppDir = FolderPart(shell.ExecutableFile());
  state.Settings.DeleteBackups = 1;
  state.Libraries = Catalogue();
  state.Settings.DefaultDocLanguage = "English";
  state.NetworkReady = 0;
  state.Settings.UseAPI = 0;
  state.UpdateServer = EnvironmentValue("TESSARY_UPDATE_SERVER");
  if (state.UpdateServer.empty()) state.UpdateServer = TESSARY_DEFAULT_UPDATE_SERVER;
  state.Paths.TempDir = EnsureTrailingBackslash(state.Paths.TempDir);

  const std::string backups = state.Paths.AppDir + "Backups\\";
  if (FileSize(backups) != -2 && !CreateFolder(backups)) {
    shell.ShowMessage("ERROR", "An Error has occurred - cannot create backup folder!",
                      BoxIcon::Error, BoxButtons::Ok);
    return false;
  }

  std::string folder = steps.DiscoverHostFolder();
  if (folder.empty()) folder = "C:\\PureBasic\\";
  state.Settings.PureBasicFolder = EnsureTrailingBackslash(folder);
  return true;
}
