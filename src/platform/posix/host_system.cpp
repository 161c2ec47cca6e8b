#include "platform/host_system.h"

bool QueryWindowsVersion(WindowsVersion&) { return false; }

bool ReadRegistryDefault(RegistryRoot, const std::string&, size_t, std::string&) { return false; }
