#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

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

bool DeleteFileAt(const std::string& path) { return unlink(NativePath(path).c_str()) == 0; }

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  // Windows refuses to replace a read-only file; keep that meaning here.
  const std::string to = NativePath(target);
  struct stat info {};
  if (stat(to.c_str(), &info) == 0 && (S_ISDIR(info.st_mode) || (info.st_mode & S_IWUSR) == 0)) {
    return false;
  }
  return std::rename(NativePath(source).c_str(), to.c_str()) == 0;
}

FileStream FileStream::OpenExisting(const std::string& path, bool forWriting, FileSharing) {
  const int fd = open(NativePath(path).c_str(), (forWriting ? O_RDWR : O_RDONLY) | O_CLOEXEC);
  if (fd < 0) return FileStream();
  struct stat info {};
  // Read-only files stay unwritable even for root, as on Windows.
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) ||
      (forWriting && (info.st_mode & S_IWUSR) == 0)) {
    close(fd);
    return FileStream();
  }
  return FileStream(fd);
}

FileStream FileStream::CreateAlways(const std::string& path, FileSharing) {
  const std::string native = NativePath(path);
  struct stat info {};
  // A read-only file is not replaced, as on Windows.
  if (stat(native.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0) return FileStream();
  const int fd = open(native.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return fd < 0 ? FileStream() : FileStream(fd);
}

int64_t FileStream::Size() const {
  struct stat info {};
  if (!IsOpen() || fstat(static_cast<int>(handle_), &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

int64_t FileStream::Read(void* buffer, int64_t count) {
  if (!IsOpen() || count < 0) return -1;
  for (;;) {
    const ssize_t got = read(static_cast<int>(handle_), buffer, static_cast<size_t>(count));
    if (got >= 0) return got;
    if (errno != EINTR) return -1;
  }
}

bool FileStream::Write(const void* data, int64_t count) {
  if (!IsOpen() || count < 0) return false;
  const char* bytes = static_cast<const char*>(data);
  while (count > 0) {
    const ssize_t put = write(static_cast<int>(handle_), bytes, static_cast<size_t>(count));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes += put;
    count -= put;
  }
  return true;
}

bool FileStream::Flush() { return IsOpen() && fsync(static_cast<int>(handle_)) == 0; }

void FileStream::Close() {
  if (IsOpen()) close(static_cast<int>(handle_));
  handle_ = Closed;
}
