#include "platform/system.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/posix/native_path.h"

std::string SystemTempFolder() {
  const char* dir = std::getenv("TMPDIR");
  return ProductPath(dir != nullptr && *dir != '\0' ? dir : "/tmp");
}

std::string ExecutablePath() {
  std::vector<char> buffer(4096);
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return std::string();
  return ProductPath(std::string(buffer.data(), static_cast<size_t>(length)));
}

std::string EnvironmentValue(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value != nullptr ? value : "";
}
