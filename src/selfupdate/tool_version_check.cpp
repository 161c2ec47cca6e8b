#include "selfupdate/tool_version_check.h"

#include "selfupdate/tool_update.h"

bool RunToolVersionCheck(AppState& state, MainView& view, const Transfers& transfers) {
  // Any difference is a new version, an older one included: there is no
  // ordering of versions, only equal text.
  if (state.ServerToolVersion == state.ToolVersion) return false;
  const BoxAnswer answer = view.ShowMessage(
      "Info",
      "Updater has detect a new version (v" + state.ServerToolVersion +
          ") of Tessary.\nIt's required to download and install this new version before\nyou can "
          "again update libraries. (otherwise updater will exit)\n\nDownload and install now the "
          "new version ?",
      BoxIcon::None, BoxButtons::YesNo);
  if (answer != BoxAnswer::Yes) return true;
  if (DownloadToolUpdate(state, view, transfers) != 1) return false;
  transfers.RunUpdateFinalizer(state);
  return true;
}
