#include "archive/entry_target.h"

namespace {

// A component of dots and blanks alone names the folder itself or its
// parent once Windows drops trailing dots and blanks.
bool IsDotsOnly(const std::string& component) {
  if (component.empty()) return false;
  for (const char c : component) {
    if (c != '.' && c != ' ') return false;
  }
  return true;
}

bool StaysInside(const std::string& relative) {
  if (!relative.empty() && relative[0] == '\\') return false;
  size_t start = 0;
  for (;;) {
    const size_t end = relative.find('\\', start);
    if (IsDotsOnly(relative.substr(start, end == std::string::npos ? end : end - start))) {
      return false;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  for (const char c : relative) {
    if (static_cast<unsigned char>(c) < 0x20 || c == ':') return false;
  }
  return true;
}

}  // namespace

std::string RemoveDrivePrefix(const std::string& name) {
  const size_t drive = name.find(":\\");
  return drive == std::string::npos ? name : name.substr(drive + 2);
}

EntryTarget PlanEntryTarget(const std::string& destination, const std::string& name,
                            int keepPaths) {
  EntryTarget target;
  std::string relative;
  if (keepPaths == 1) {
    relative = RemoveDrivePrefix(name);
  } else {
    const size_t cut = name.rfind('\\');
    relative = cut == std::string::npos ? name : name.substr(cut + 1);
  }
  if (!StaysInside(relative)) {
    target.Refused = true;
    return target;
  }
  if (keepPaths == 1 && !name.empty() && name.back() == '\\') {
    target.FolderEntry = true;
    target.Folders = destination + relative;
    return target;
  }
  if (keepPaths == 1) {
    const size_t cut = relative.rfind('\\');
    if (cut != std::string::npos) target.Folders = destination + relative.substr(0, cut + 1);
  }
  if (!relative.empty()) target.File = destination + relative;
  return target;
}
