#include "app/host_folder.h"

#include <algorithm>
#include <cstring>

#include "app/folder_text.h"

int ClassifyWindowsVersion(const WindowsVersion& version) {
  if (version.Nt && version.Major == 5 && version.Minor == 1) return 60;
  if (version.Nt && version.Major == 5 && version.Minor == 2 && version.Workstation) return 60;
  if (version.Nt && version.Major == 6 && version.Minor == 0 && version.Workstation) return 70;
  if (!version.Nt && version.Major == 4 && version.Minor == 10) return 30;
  return 0;
}

std::string FolderOfRegisteredCommand(const std::string& command) {
  const size_t open = command.find('"');
  if (open == std::string::npos) return std::string();
  const size_t close = command.find('"', open + 1);
  const std::string program =
      command.substr(open + 1, close == std::string::npos ? close : close - open - 1);
  return FolderPart(program);
}

std::string DiscoverHostFolder() {
  WindowsVersion version;
  if (!QueryWindowsVersion(version)) return std::string();
  RegistryRoot root;
  std::string key;
  switch (ClassifyWindowsVersion(version)) {
    case 60:
      root = RegistryRoot::ClassesRoot;
      key = "Applications\\PureBasic.exe\\shell\\open\\command";
      break;
    case 70:
      root = RegistryRoot::CurrentUser;
      key = "Software\\Classes\\PureBasic.exe\\shell\\open\\command";
      break;
    case 30:
      root = RegistryRoot::LocalMachine;
      key = "Software\\Classes\\PureBasic.exe\\shell\\open\\command";
      break;
    default:
      return std::string();
  }
  std::string value;
  if (!ReadRegistryDefault(root, key, 1024, value) || value.empty()) return std::string();
  // The command ends at its first zero byte and at most one byte before the
  // end of what was returned.
  const size_t limit = value.size() - 1;
  const std::string command = value.substr(0, std::min(limit, std::strlen(value.c_str())));
  return FolderOfRegisteredCommand(command);
}
