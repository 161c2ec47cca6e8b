#include "selfupdate/tool_update.h"

#include "archive/zip_reader.h"
#include "catalogue/catalogue_fetch.h"
#include "platform/files.h"
#include "ui/control_numbers.h"

int DownloadToolUpdate(AppState& state, MainView& view, const Transfers& transfers) {
  view.EnableControl(InstallUpdatesButton, false);
  view.EnableControl(LibraryList, false);
  view.EnableControl(SelectAllCheckBox, false);
  view.AppendLog("Download new version of Brimlet ... please wait!");
  view.DrainEvents();

  const std::string url = UpdateServerUrl(state, "/files/Brimlet.zip");
  const std::string backups = state.Paths.AppDir + "Backups\\";
  const std::string package = backups + "Brimlet.zip";
  transfers.PurgeUrlCache(url);

  const char* failure = nullptr;
  if (state.NetworkReady == 0 || transfers.DownloadFile(state.Settings, url, package) != 1) {
    failure = "An ERROR has occurred - cannot download tool!";
  } else {
    const int index = ZipFindEntry(package, "Tessary.exe", 0);
    if (ZipExtractEntryByIndex(package, index, backups, 0) != 1) {
      failure = "An ERROR has occurred - cannot update tool!";
    }
  }
  if (failure == nullptr) {
    view.AppendLog("Done!");
    view.ShowMessage("Info",
                     "Download complete!\n\nPlease click now on 'OK' to exit old updater and "
                     "continue with update process.",
                     BoxIcon::Information, BoxButtons::Ok);
  } else {
    view.AppendLog(failure);
    view.ShowMessage("Info", failure, BoxIcon::Error, BoxButtons::Ok);
  }
  if (state.Settings.DeleteBackups == 1) DeleteFileAt(package);
  return failure == nullptr ? 1 : 0;
}
