#include "install/archive_install.h"

#include <algorithm>

#include "app/ansi_case.h"
#include "archive/zip_reader.h"
#include "platform/files.h"

namespace {

// A name shorter than the prefix never matches it.
bool StartsWithFolded(const std::string& lowerName, const std::string& prefix) {
  return lowerName.compare(0, prefix.size(), ToLowerAnsi(prefix)) == 0;
}

// The folders of an archive that mirror the PureBasic folder and are
// unpacked with their paths kept.
const char* const KeptFolders[] = {
    "PureLibraries\\UserLibraries\\",
    "Residents\\",
    "SubSystems\\UserLibThreadSafe\\PureLibraries\\",
    "SubSystems\\UserLibUnicode\\PureLibraries\\",
    "SubSystems\\UserLibUnicodeThreadSafe\\PureLibraries\\",
    "Examples\\",
};

}  // namespace

int InstallArchive(const AppState& state, MainView& view, const std::string& archivePath) {
  const std::string& pureBasic = state.Settings.PureBasicFolder;
  const std::string helpPrefix = "Help\\" + state.Settings.DefaultDocLanguage + "\\";
  int result = 1;
  bool preferredHelpSeen = false;

  if (ZipOpenArchive(archivePath) == 0) {
    view.AppendLog("Error! - cannot open archive: " + archivePath);
    result = 0;
  } else {
    const auto extract = [&](const std::string& destination, int keepPaths) {
      if (ZipExtractEntry(destination, keepPaths) != 0) {
        view.AppendLog("ExtractError! - archive name: " + archivePath);
        result = 0;
      }
    };
    ZipFirstEntry();
    do {
      ZipEntry entry;
      if (ZipGetEntryInfo(entry) != 0) {
        view.AppendLog("Error! - cannot get fileinfo from archive: " + archivePath);
        result = 0;
      } else if (!entry.FileName.empty() && entry.FileName.back() != '\\') {
        // Folders come into being with the files inside them.
        const std::string name = ToLowerAnsi(entry.FileName);
        const bool kept = std::any_of(std::begin(KeptFolders), std::end(KeptFolders),
                                      [&name](const char* prefix) {
                                        return StartsWithFolded(name, prefix);
                                      });
        if (kept) {
          extract(pureBasic, 1);
        } else if (StartsWithFolded(name, helpPrefix)) {
          preferredHelpSeen = true;
          extract(pureBasic + "Help\\", 0);
        } else if (StartsWithFolded(name, "Help\\") && !preferredHelpSeen &&
                   std::count(name.begin(), name.end(), '\\') == 1) {
          // Language-neutral help counts only until the preferred language's
          // help turns up in this archive.
          extract(pureBasic, 1);
        }
      }
      view.DrainEvents();
    } while (ZipNextEntry() == 0);
    ZipCloseArchive();
  }

  if (state.Settings.DeleteBackups == 1) DeleteFileAt(archivePath);
  return result;
}
