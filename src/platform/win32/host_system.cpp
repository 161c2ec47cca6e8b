#include "platform/host_system.h"

#include <windows.h>

#include <vector>

bool QueryWindowsVersion(WindowsVersion& version) {
  OSVERSIONINFOEXA info = {};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
    info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return false;
  }
#pragma GCC diagnostic pop
  version.Nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  version.Major = static_cast<int>(info.dwMajorVersion);
  version.Minor = static_cast<int>(info.dwMinorVersion);
  version.Workstation = info.wProductType == VER_NT_WORKSTATION;
  return true;
}

bool ReadRegistryDefault(RegistryRoot root, const std::string& key, size_t bufferSize,
                         std::string& bytes) {
  const HKEY base = root == RegistryRoot::ClassesRoot   ? HKEY_CLASSES_ROOT
                    : root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER
                                                        : HKEY_LOCAL_MACHINE;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(base, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  std::vector<char> buffer(bufferSize, '\0');
  DWORD size = static_cast<DWORD>(bufferSize);
  const LONG read = RegQueryValueExA(opened, nullptr, nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(buffer.data()), &size);
  RegCloseKey(opened);
  if (read != ERROR_SUCCESS) return false;
  bytes.assign(buffer.data(), size);
  return true;
}
