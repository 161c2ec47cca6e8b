#include "install/install_run.h"

#include "app/folder_text.h"
#include "install/archive_install.h"

int InstallSelected(AppState& state, MainView& view, const Transfers& transfers) {
  const Catalogue& catalogue = state.Libraries;
  int installed = 0;
  for (int row = 0; row < view.RowCount(); ++row) {
    if ((view.GetRowState(row) & RowChecked) == 0) continue;
    const auto index = static_cast<size_t>(row);
    if (index >= catalogue.Names.size()) break;  // rows and catalogue always match
    const std::string& name = catalogue.Names[index];
    const std::string url = "http://" + catalogue.Urls[index];
    const std::string archive = state.Paths.AppDir + "Backups\\" + FilePart(catalogue.Urls[index]);

    view.AppendLog("Download and install " + name + " ... please wait!");
    view.DrainEvents();
    transfers.PurgeUrlCache(url);
    if (state.NetworkReady == 0) {
      view.AppendLog("ERROR - cannot init network!");
      view.DrainEvents();
      continue;
    }
    if (transfers.DownloadFile(state.Settings, url, archive) == 1) {
      if (InstallArchive(state, view, archive) == 1) ++installed;
    } else {
      view.AppendLog("Warning! - Download of " + name + " failed!");
      view.DrainEvents();
    }
  }
  if (installed > 0) {
    view.AppendLog(std::to_string(installed) + " file(s) successfully updated!");
    view.AppendLog("Process complete!");
  }
  return 0;
}
