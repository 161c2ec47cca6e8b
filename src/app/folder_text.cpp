#include "app/folder_text.h"

std::string EnsureTrailingBackslash(const std::string& folder) {
  if (!folder.empty() && folder.back() == '\\') return folder;
  return folder + '\\';
}

std::string FolderPart(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  if (cut == std::string::npos) return std::string();
  return path.substr(0, cut + 1);
}

std::string FilePart(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  if (cut == std::string::npos) return path;
  return path.substr(cut + 1);
}
