#pragma once

#include <cstdint>
#include <string>

// File system access. Paths are the product's backslash paths; the posix
// implementation maps them to slashes.

// The path as the system's own file functions take it, for code that opens
// files itself (the zip reader library).
std::string SystemPath(const std::string& path);

// Size in bytes of a file; -1 when nothing is at the path, -2 for a folder.
int64_t FileSize(const std::string& path);

// Creates one folder level; false when it could not be made.
bool CreateFolder(const std::string& path);

bool DeleteFileAt(const std::string& path);

// Puts source in the place of target in one step, replacing a target file;
// false (and both left as they were) when that cannot be done, for instance
// because the target is read-only.
bool ReplaceFileWith(const std::string& source, const std::string& target);

// Creates every missing folder of the path up to its last backslash; what
// cannot be made shows up later as a file that cannot be created.
void MakePathExists(const std::string& path);

// Sets a file's last-write time from a local calendar time, seconds 0;
// false when the file cannot be opened or the date is not a valid one.
bool SetLastWriteFromLocalTime(const std::string& path, int year, int month, int day, int hour,
                               int minute);

// Sets a file's attributes from the 32 bits an archive recorded: all of them
// on Windows, the read-only bit as the file mode elsewhere. Failures ignored.
void SetFileAttributeBits(const std::string& path, uint32_t attributes);

// What other openers may do with a file while it is open here.
enum class FileSharing { None, Read, ReadWrite };

// One open file. Move-only; closed when it goes out of scope.
class FileStream {
 public:
  FileStream() = default;
  ~FileStream() { Close(); }
  FileStream(FileStream&& other) noexcept : handle_(other.handle_) { other.handle_ = Closed; }
  FileStream& operator=(FileStream&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.handle_;
      other.handle_ = Closed;
    }
    return *this;
  }
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  // An existing file, for reading and, with forWriting, writing.
  static FileStream OpenExisting(const std::string& path, bool forWriting, FileSharing sharing);
  // A new empty file for reading and writing, replacing one of that name.
  static FileStream CreateAlways(const std::string& path, FileSharing sharing);
  // A new empty file, only when nothing of that name exists yet.
  static FileStream CreateNew(const std::string& path, FileSharing sharing);

  bool IsOpen() const { return handle_ != Closed; }
  // The file's size in bytes, or -1.
  int64_t Size() const;
  // Reads up to count bytes; the number read (0 at the end), or -1.
  int64_t Read(void* buffer, int64_t count);
  // Writes all count bytes; false when not all of them could be written.
  bool Write(const void* data, int64_t count);
  // Hands the written bytes to the disk.
  bool Flush();
  void Close();

 private:
  static constexpr intptr_t Closed = -1;
  explicit FileStream(intptr_t handle) : handle_(handle) {}
  intptr_t handle_ = Closed;
};

// A new file beside the target, for content that takes the target's place
// once it is whole; its path is returned through tempPath. Never takes the
// name of a file that is already there.
FileStream CreateFileBeside(const std::string& target, std::string& tempPath);
