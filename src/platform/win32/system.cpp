#include "platform/system.h"

#include <windows.h>

std::string SystemTempFolder() {
  char shortForm[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof shortForm, shortForm);
  if (length == 0 || length > MAX_PATH) return std::string();
  // The temporary folder may be reported in 8.3 form; paths shown to the
  // user and passed to the finalizer read better in the long form.
  char longForm[32768];
  const DWORD longLength = GetLongPathNameA(shortForm, longForm, sizeof longForm);
  if (longLength == 0 || longLength >= sizeof longForm) return shortForm;
  return longForm;
}

std::string ExecutablePath() {
  char path[32768];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return std::string();
  return std::string(path, length);
}

std::string EnvironmentValue(const std::string& name) {
  char value[32768];
  const DWORD length = GetEnvironmentVariableA(name.c_str(), value, sizeof value);
  if (length == 0 || length >= sizeof value) return std::string();
  return std::string(value, length);
}
