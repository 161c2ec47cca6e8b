#include "archive/zip_reader.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "app/folder_text.h"
#include "archive/entry_target.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "unzip.h"

namespace {

constexpr size_t NameBufferBytes = 500;
constexpr size_t DataBufferBytes = 102400;

unzFile current = nullptr;
// The reader never finds the end record of an archive that is nothing but
// that record (it does not look at offset 0), so an archive without entries
// is held here instead: open, and with no entry to go to.
FileStream currentEmpty;

bool IsEmptyArchive(FileStream& file) {
  unsigned char record[22];
  const int64_t size = file.Size();
  if (size < 22 || size > 22 + 0xFFFF || file.Read(record, 22) != 22) return false;
  const bool signature = record[0] == 'P' && record[1] == 'K' && record[2] == 5 && record[3] == 6;
  const bool noEntries = record[8] == 0 && record[9] == 0 && record[10] == 0 && record[11] == 0;
  const int64_t comment = record[20] | (record[21] << 8);
  return signature && noEntries && size == 22 + comment;
}

// The information of the archive's current entry; fills the record, or
// zeroes it and returns the reader's code. rawHasZero tells of a zero byte
// inside the stored name, which the converted name cannot show.
int ReadEntry(unzFile archive, ZipEntry& entry, uint64_t& uncompressed, bool& rawHasZero) {
  unz_file_info64 info;
  int code = unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0);
  std::vector<char> raw;
  if (code == UNZ_OK) {
    // Zero-filled, and large enough for the whole name: a long name is read
    // whole, so that it is refused rather than cut.
    raw.assign(std::max<size_t>(NameBufferBytes, info.size_filename + 1), '\0');
    code = unzGetCurrentFileInfo64(archive, &info, raw.data(), raw.size(), nullptr, 0, nullptr, 0);
  }
  if (code != UNZ_OK) {
    entry = ZipEntry();
    return code;
  }
  entry.VersionMadeBy = static_cast<uint32_t>(info.version);
  entry.VersionNeeded = static_cast<uint32_t>(info.version_needed);
  entry.Flags = static_cast<uint32_t>(info.flag);
  entry.CompressionMethod = static_cast<uint32_t>(info.compression_method);
  entry.DosDateTime = static_cast<uint32_t>(info.dosDate);
  entry.Crc32 = static_cast<uint32_t>(info.crc);
  entry.CompressedSize = static_cast<uint32_t>(info.compressed_size);
  entry.UncompressedSize = static_cast<uint32_t>(info.uncompressed_size);
  entry.NameLength = static_cast<uint32_t>(info.size_filename);
  entry.ExtraFieldLength = static_cast<uint32_t>(info.size_file_extra);
  entry.CommentLength = static_cast<uint32_t>(info.size_file_comment);
  entry.DiskNumberStart = static_cast<uint32_t>(info.disk_num_start);
  entry.InternalAttributes = static_cast<uint32_t>(info.internal_fa);
  entry.ExternalAttributes = static_cast<uint32_t>(info.external_fa);
  entry.Seconds = static_cast<uint32_t>(info.tmu_date.tm_sec);
  entry.Minutes = static_cast<uint32_t>(info.tmu_date.tm_min);
  entry.Hours = static_cast<uint32_t>(info.tmu_date.tm_hour);
  entry.Day = static_cast<uint32_t>(info.tmu_date.tm_mday);
  entry.Month = static_cast<uint32_t>(info.tmu_date.tm_mon);
  entry.Year = static_cast<uint32_t>(info.tmu_date.tm_year);
  entry.FileName = ConvertOemToAnsi(std::string(raw.data()));
  for (char& c : entry.FileName) {
    if (c == '/') c = '\\';
  }
  uncompressed = info.uncompressed_size;
  rawHasZero = std::memchr(raw.data(), 0, info.size_filename) != nullptr;
  return UNZ_OK;
}

// Copies the open entry into the file; 0 when exactly the entry's bytes were
// written, else the reader's or the decompressor's negative code.
int CopyEntry(unzFile archive, FileStream& file, uint64_t expected) {
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[DataBufferBytes]);
  if (!buffer) return -1;
  uint64_t written = 0;
  for (;;) {
    const int got = unzReadCurrentFile(archive, buffer.get(), DataBufferBytes);
    if (got < 0) return got;
    if (got == 0) break;
    written += static_cast<uint64_t>(got);
    // More than the entry says it holds is as wrong as less.
    if (written > expected) return ZipCrcError;
    if (!file.Write(buffer.get(), got)) return -1;
  }
  // The reader checks the CRC-32 only when the data ran to its full size;
  // the count catches a stream that ended early.
  const int closed = unzCloseCurrentFile(archive);
  if (closed == UNZ_CRCERROR || written != expected) return ZipCrcError;
  return closed == UNZ_OK ? 0 : closed;
}

// Extracts the archive's current entry: 0 on success (also for a folder
// entry kept as folders), else a negative code.
int ExtractCurrent(unzFile archive, const std::string& destinationFolder, int keepPaths) {
  const std::string destination = EnsureTrailingBackslash(destinationFolder);
  MakePathExists(destination);

  ZipEntry entry;
  uint64_t expected = 0;
  bool rawHasZero = false;
  const int info = ReadEntry(archive, entry, expected, rawHasZero);
  if (info != UNZ_OK) return info;

  const EntryTarget target = PlanEntryTarget(destination, entry.FileName, keepPaths);
  if (target.Refused || rawHasZero || entry.NameLength >= NameBufferBytes) return -1;
  // Encrypted entries, and methods the reader would hand back raw, are never
  // taken for the file's content.
  if ((entry.Flags & 1) != 0 ||
      (entry.CompressionMethod != 0 && entry.CompressionMethod != Z_DEFLATED)) {
    return ZipBadArchive;
  }
  const int opened = unzOpenCurrentFile(archive);
  if (opened != UNZ_OK) return opened;

  if (!target.Folders.empty()) MakePathExists(target.Folders);
  if (target.FolderEntry) return 0;
  if (target.File.empty() || FileSize(target.File) == -2) return -1;

  std::string part;
  FileStream file = CreateFileBeside(target.File, part);
  if (!file.IsOpen()) return -1;
  const int copied = CopyEntry(archive, file, expected);
  file.Close();
  if (copied != 0) {
    DeleteFileAt(part);
    return copied;
  }
  // The time goes first, so a read-only attribute cannot block it.
  SetLastWriteFromLocalTime(part, static_cast<int>(entry.Year), static_cast<int>(entry.Month) + 1,
                            static_cast<int>(entry.Day), static_cast<int>(entry.Hours),
                            static_cast<int>(entry.Minutes));
  if (!ReplaceFileWith(part, target.File)) {
    DeleteFileAt(part);
    return -1;
  }
  SetFileAttributeBits(target.File, entry.ExternalAttributes);
  return 0;
}

// Letters a to z and the bytes 0xE0 to 0xFF in upper case.
std::string UpperForLookup(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || byte >= 0xE0) c = static_cast<char>(byte - 0x20);
  }
  return text;
}

}  // namespace

int ZipOpenArchive(const std::string& path) {
  ZipCloseArchive();
  current = unzOpen64(SystemPath(path).c_str());
  if (current != nullptr) return 1;
  FileStream file = FileStream::OpenExisting(path, false, FileSharing::Read);
  if (file.IsOpen() && IsEmptyArchive(file)) {
    currentEmpty = std::move(file);
    return 1;
  }
  return 0;
}

int ZipFirstEntry() {
  if (currentEmpty.IsOpen()) return ZipEndOfList;
  return current == nullptr ? -1 : unzGoToFirstFile(current);
}

int ZipNextEntry() {
  if (currentEmpty.IsOpen()) return ZipEndOfList;
  return current == nullptr ? -1 : unzGoToNextFile(current);
}

int ZipGetEntryInfo(ZipEntry& entry) {
  if (currentEmpty.IsOpen()) {
    entry = ZipEntry();
    return ZipParamError;
  }
  if (current == nullptr) return -1;
  uint64_t expected = 0;
  bool rawHasZero = false;
  return ReadEntry(current, entry, expected, rawHasZero);
}

int ZipExtractEntry(const std::string& destination, int keepPaths) {
  if (currentEmpty.IsOpen()) {
    MakePathExists(EnsureTrailingBackslash(destination));
    return ZipParamError;
  }
  if (current == nullptr) return -1;
  return ExtractCurrent(current, destination, keepPaths);
}

int ZipCloseArchive() {
  if (current != nullptr) unzClose(current);
  current = nullptr;
  currentEmpty.Close();
  return 0;
}

int ZipFindEntry(const std::string& path, const std::string& name, int wholeName) {
  const unzFile archive = unzOpen64(SystemPath(path).c_str());
  if (archive == nullptr) return -1;
  const std::string wanted = UpperForLookup(wholeName != 0 ? name : FilePart(name));
  int found = -1;
  int index = 0;
  for (int step = unzGoToFirstFile(archive); step == UNZ_OK;
       step = unzGoToNextFile(archive), ++index) {
    ZipEntry entry;
    uint64_t expected = 0;
    bool rawHasZero = false;
    if (ReadEntry(archive, entry, expected, rawHasZero) != UNZ_OK) continue;
    // Converted names hold no "/", so their file part ends at the last "\\".
    const std::string candidate = wholeName != 0 ? entry.FileName : FilePart(entry.FileName);
    if (UpperForLookup(candidate) == wanted) {
      found = index;
      break;
    }
  }
  unzClose(archive);
  return found;
}

int ZipExtractEntryByIndex(const std::string& path, int index, const std::string& destination,
                           int keepPaths) {
  if (index < 0) return 0;
  const unzFile archive = unzOpen64(SystemPath(path).c_str());
  if (archive == nullptr) return 0;
  MakePathExists(EnsureTrailingBackslash(destination));
  bool reached = unzGoToFirstFile(archive) == UNZ_OK;
  for (int step = 0; step < index && reached; ++step) {
    reached = unzGoToNextFile(archive) == UNZ_OK;
  }
  // An index past the last entry names no entry at all.
  const int result = reached ? ExtractCurrent(archive, destination, keepPaths) : -1;
  unzClose(archive);
  return result == 0 ? 1 : 0;
}
