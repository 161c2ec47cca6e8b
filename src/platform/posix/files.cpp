#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "platform/posix/native_path.h"

std::string SystemPath(const std::string& path) { return NativePath(path); }

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

FileStream FileStream::CreateNew(const std::string& path, FileSharing) {
  const int fd = open(NativePath(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  return fd < 0 ? FileStream() : FileStream(fd);
}

void MakePathExists(const std::string& path) {
  const std::string native = NativePath(path);
  for (size_t slash = native.find('/', 1); slash != std::string::npos;
       slash = native.find('/', slash + 1)) {
    mkdir(native.substr(0, slash).c_str(), 0777);
  }
}

bool SetLastWriteFromLocalTime(const std::string& path, int year, int month, int day, int hour,
                               int minute) {
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
      minute > 59) {
    return false;
  }
  std::tm local {};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_isdst = -1;
  const std::time_t when = std::mktime(&local);
  if (when == static_cast<std::time_t>(-1) || local.tm_mday != day) return false;
  const timespec times[2] = {{0, UTIME_OMIT}, {when, 0}};
  return utimensat(AT_FDCWD, NativePath(path).c_str(), times, 0) == 0;
}

void SetFileAttributeBits(const std::string& path, uint32_t attributes) {
  if ((attributes & 0x01) == 0) return;
  const std::string native = NativePath(path);
  struct stat info {};
  if (stat(native.c_str(), &info) == 0) {
    chmod(native.c_str(), info.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH));
  }
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
