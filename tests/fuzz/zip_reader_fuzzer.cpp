// Any archive bytes: walked and extracted into a folder of their own, never
// crashing and never writing anything outside that folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "archive/zip_reader.h"

namespace fs = std::filesystem;

namespace {

const fs::path& WorkFolder() {
  static const fs::path folder = [] {
    const fs::path path = fs::temp_directory_path() / ("tessary-zip-fuzz-" + std::to_string(getpid()));
    fs::create_directories(path);
    return path;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fs::path& work = WorkFolder();
  const fs::path archive = work / "archive.zip";
  const fs::path destination = work / "inside" / "dest";
  {
    std::ofstream(archive, std::ios::binary).write(reinterpret_cast<const char*>(data),
                                                    static_cast<std::streamsize>(size));
  }
  if (ZipOpenArchive(archive.string()) != 0) {
    ZipFirstEntry();
    for (int entries = 0; entries < 64; ++entries) {
      ZipEntry entry;
      ZipGetEntryInfo(entry);
      ZipExtractEntry(destination.string(), entries % 2);
      if (ZipNextEntry() != 0) break;
    }
    ZipCloseArchive();
  }
  const int index = ZipFindEntry(archive.string(), "a.txt", 0);
  ZipExtractEntryByIndex(archive.string(), index < 0 ? 0 : index, destination.string(), 1);

  // Only the archive and the destination's own folder may be there.
  for (const auto& item : fs::recursive_directory_iterator(work)) {
    const fs::path relative = fs::relative(item.path(), work);
    const std::string text = relative.generic_string();
    if (text != "archive.zip" && text != "inside" && text.rfind("inside/dest", 0) != 0) {
      __builtin_trap();
    }
  }
  fs::remove_all(work / "inside");
  return 0;
}
