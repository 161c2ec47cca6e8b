#include "platform/files.h"

FileStream CreateFileBeside(const std::string& target, std::string& tempPath) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = target + ".tessary-" + std::to_string(attempt);
    FileStream stream = FileStream::CreateNew(tempPath, FileSharing::Read);
    if (stream.IsOpen()) return stream;
    // Only a name that is taken is worth another try.
    if (FileSize(tempPath) == -1) break;
  }
  tempPath.clear();
  return FileStream();
}
