#include "ui/folder_chooser.h"

#include <shlobj.h>

namespace {

int CALLBACK StartAt(HWND dialog, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start != 0) {
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
  }
  return 0;
}

}  // namespace

std::string ChooseFolderDialog(HWND owner, const std::string& title, const std::string& start) {
  BROWSEINFOA browse = {};
  browse.hwndOwner = owner;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  browse.lpfn = StartAt;
  browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
  if (chosen == nullptr) return std::string();
  char path[MAX_PATH] = {};
  const bool isFolder = SHGetPathFromIDListA(chosen, path) != 0;
  CoTaskMemFree(chosen);
  if (!isFolder || path[0] == '\0') return std::string();
  std::string folder = path;
  if (folder.back() != '\\') folder += '\\';
  return folder;
}
