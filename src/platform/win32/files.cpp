#include "platform/files.h"

#include <windows.h>
#include <dbghelp.h>

#include <algorithm>

std::string SystemPath(const std::string& path) { return path; }

int64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool DeleteFileAt(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

namespace {

// Windows refuses to write a read-only file; Wine run as root would not, so
// the attribute is tested here as well.
bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  if (IsReadOnlyFile(target)) return false;
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

namespace {

DWORD ShareMode(FileSharing sharing) {
  switch (sharing) {
    case FileSharing::Read:
      return FILE_SHARE_READ;
    case FileSharing::ReadWrite:
      return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default:
      return 0;
  }
}

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

FileStream FileStream::OpenExisting(const std::string& path, bool forWriting, FileSharing sharing) {
  if (forWriting && IsReadOnlyFile(path)) return FileStream();
  const HANDLE file =
      CreateFileA(path.c_str(), forWriting ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                  ShareMode(sharing), nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileStream();
  return FileStream(reinterpret_cast<intptr_t>(file));
}

FileStream FileStream::CreateAlways(const std::string& path, FileSharing sharing) {
  if (IsReadOnlyFile(path)) return FileStream();
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, ShareMode(sharing),
                                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileStream();
  return FileStream(reinterpret_cast<intptr_t>(file));
}

FileStream FileStream::CreateNew(const std::string& path, FileSharing sharing) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, ShareMode(sharing),
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileStream();
  return FileStream(reinterpret_cast<intptr_t>(file));
}

void MakePathExists(const std::string& path) { MakeSureDirectoryPathExists(path.c_str()); }

bool SetLastWriteFromLocalTime(const std::string& path, int year, int month, int day, int hour,
                               int minute) {
  SYSTEMTIME local = {};
  local.wYear = static_cast<WORD>(year);
  local.wMonth = static_cast<WORD>(month);
  local.wDay = static_cast<WORD>(day);
  local.wHour = static_cast<WORD>(hour);
  local.wMinute = static_cast<WORD>(minute);
  FILETIME localTime;
  FILETIME utc;
  if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utc)) {
    return false;
  }
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool set = SetFileTime(file, nullptr, nullptr, &utc) != 0;
  CloseHandle(file);
  return set;
}

void SetFileAttributeBits(const std::string& path, uint32_t attributes) {
  SetFileAttributesA(path.c_str(), attributes);
}

int64_t FileStream::Size() const {
  LARGE_INTEGER size;
  if (!IsOpen() || !GetFileSizeEx(AsHandle(handle_), &size)) return -1;
  return size.QuadPart;
}

int64_t FileStream::Read(void* buffer, int64_t count) {
  if (!IsOpen() || count < 0) return -1;
  char* bytes = static_cast<char*>(buffer);
  int64_t total = 0;
  while (total < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<int64_t>(count - total, 1 << 30));
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), bytes + total, chunk, &got, nullptr)) {
      return total > 0 ? total : -1;
    }
    if (got == 0) break;
    total += got;
  }
  return total;
}

bool FileStream::Write(const void* data, int64_t count) {
  if (!IsOpen() || count < 0) return false;
  const char* bytes = static_cast<const char*>(data);
  while (count > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<int64_t>(count, 1 << 30));
    DWORD put = 0;
    if (!WriteFile(AsHandle(handle_), bytes, chunk, &put, nullptr) || put == 0) return false;
    bytes += put;
    count -= put;
  }
  return true;
}

bool FileStream::Flush() { return IsOpen() && FlushFileBuffers(AsHandle(handle_)) != 0; }

void FileStream::Close() {
  if (IsOpen()) CloseHandle(AsHandle(handle_));
  handle_ = Closed;
}
