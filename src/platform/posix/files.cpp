#include "platform/files.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/native_path.h"

int64_t FileSize(const std::string& path) {
  struct stat info {};
  if (stat(NativePath(path).c_str(), &info) != 0) return -1;
  if (S_ISDIR(info.st_mode)) return -2;
  return static_cast<int64_t>(info.st_size);
}

bool CreateFolder(const std::string& path) {
  return mkdir(NativePath(path).c_str(), 0777) == 0;
}

bool DeleteFileAt(const std::string& path) {
  return unlink(NativePath(path).c_str()) == 0;
}
