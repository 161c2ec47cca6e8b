#include "catalogue/catalogue_fetch.h"

#include "platform/files.h"
#include "prefs/preference_file.h"

std::string UpdateServerUrl(const AppState& state, const std::string& path) {
  return "http://" + state.UpdateServer + path;
}

int FetchCatalogue(AppState& state, const Transfers& transfers) {
  const std::string url = UpdateServerUrl(state, "/files/Updater.ini");
  Catalogue& catalogue = state.Libraries;
  catalogue = Catalogue();

  transfers.PurgeUrlCache(url);
  if (state.NetworkReady == 0) state.NetworkReady = transfers.OpenNetworkLayer();
  if (state.NetworkReady == 0) return -1;

  const std::string path = state.Paths.TempDir + "Updater.ini";
  if (transfers.DownloadFile(state.Settings, url, path) != 1) return -1;
  if (PrefOpen(path) == 0) {
    DeleteFileAt(path);
    return -1;
  }

  if (PrefSelectGroup("Updater") != 0) {
    state.ServerToolVersion = PrefReadText("Version", state.ToolVersion);
  }
  int number = 0;
  for (;;) {
    ++number;
    // The groups are numbered from 1; the first missing number ends the list.
    if (PrefSelectGroup("Library" + std::to_string(number)) == 0) break;
    catalogue.Names.push_back(PrefReadText("Name", ""));
    catalogue.Versions.push_back(PrefReadText("Version", ""));
    catalogue.Urls.push_back(PrefReadText("Url", ""));
    catalogue.Identifiers.push_back(PrefReadText("Identifyer", ""));
  }
  PrefClose();
  DeleteFileAt(path);
  return number - 1;
}
