#include "catalogue/library_list.h"

#include "catalogue/catalogue_fetch.h"
#include "catalogue/version_probe.h"
#include "selfupdate/tool_version_check.h"
#include "ui/control_numbers.h"

bool CheckForUpdates(AppState& state, MainView& view, const Transfers& transfers) {
  view.AppendLog("Checking for updates ... please wait a moment!");
  view.DrainEvents();
  if (FetchCatalogue(state, transfers) <= 0) {
    view.AppendLog("An Error has occurred - cannot read ini-file from server!");
    return false;
  }
  // One fill per run: a second one would shift the rows against the catalogue.
  view.EnableControl(CheckForUpdatesButton, false);
  FillLibraryList(state, view);
  return RunToolVersionCheck(state, view, transfers);
}

void FillLibraryList(AppState& state, MainView& view) {
  const Catalogue& catalogue = state.Libraries;
  view.AppendLog(std::to_string(catalogue.Names.size()) + " Libraries found!");
  view.EnableControl(InstallUpdatesButton, true);
  view.EnableControl(SelectAllCheckBox, true);
  for (size_t k = 0; k < catalogue.Names.size(); ++k) {
    const std::string& name = catalogue.Names[k];
    const std::string& internet = catalogue.Versions[k];
    const std::string installed =
        ProbeInstalledVersion(state.Settings.PureBasicFolder + "Residents\\" + name, ".res",
                              catalogue.Identifiers[k], state.Settings.PureBasicFolder);
    view.AddRow(name + "\n" + installed + "\n" + internet);
    if (installed != internet) view.SetRowState(static_cast<int>(k), RowChecked);
  }
}

void ToggleAllRows(MainView& view) {
  const int rows = view.RowCount();
  const int state = (view.SelectAllState() + 1) & RowChecked;
  for (int row = 0; row < rows; ++row) view.SetRowState(row, state);
}

void LockListForInstall(MainView& view) {
  for (int row = 0; row < view.RowCount(); ++row) {
    if (view.GetRowState(row) & RowChecked) {
      view.EnableControl(InstallUpdatesButton, false);
      view.EnableControl(LibraryList, false);
      view.EnableControl(SelectAllCheckBox, false);
      return;
    }
  }
}
