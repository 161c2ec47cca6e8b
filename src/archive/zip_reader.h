#pragma once

#include <cstdint>
#include <string>

// Reads zip archives over minizip. A cursor over one current archive
// (ZipOpenArchive ... ZipCloseArchive) and two operations that open the
// archive named by a path themselves (ZipFindEntry, ZipExtractEntryByIndex).
// Results follow the reader library: 0 success, negative codes for failure.

constexpr int ZipEndOfList = -100;   // the current entry was the last
constexpr int ZipParamError = -102;  // no entry is current
constexpr int ZipBadArchive = -103;  // not a zip archive, a damaged header, an unsupported
                                     // method or an encrypted entry
constexpr int ZipInternalError = -104;
constexpr int ZipCrcError = -105;    // the data read does not match its CRC-32 or size

// One entry's information, fields in the order of the reader library's
// record, then the converted name.
struct ZipEntry {
  uint32_t VersionMadeBy = 0;
  uint32_t VersionNeeded = 0;
  uint32_t Flags = 0;
  uint32_t CompressionMethod = 0;  // 0 stored, 8 deflated
  uint32_t DosDateTime = 0;
  uint32_t Crc32 = 0;
  uint32_t CompressedSize = 0;
  uint32_t UncompressedSize = 0;
  uint32_t NameLength = 0;
  uint32_t ExtraFieldLength = 0;
  uint32_t CommentLength = 0;
  uint32_t DiskNumberStart = 0;
  uint32_t InternalAttributes = 0;
  uint32_t ExternalAttributes = 0;
  uint32_t Seconds = 0;
  uint32_t Minutes = 0;
  uint32_t Hours = 0;
  uint32_t Day = 0;
  uint32_t Month = 0;  // 0 to 11
  uint32_t Year = 0;   // full year
  // The raw name from OEM to ANSI, every "/" turned into "\".
  std::string FileName;
};

// Non-zero when the archive opened; its first entry is then current. Closes
// the current archive first; after a failure none is current.
int ZipOpenArchive(const std::string& path);
int ZipFirstEntry();
int ZipNextEntry();
int ZipGetEntryInfo(ZipEntry& entry);
// Extracts the current entry into the folder (made when missing). keepPaths
// 1 keeps the entry's folders, 0 writes under the bare file name. The file
// takes its place only when it was read whole and matched its CRC-32.
int ZipExtractEntry(const std::string& destination, int keepPaths);
int ZipCloseArchive();

// 0-based index of the first entry whose name (its file part unless
// wholeName) equals the given one ignoring case; -1 when none does.
int ZipFindEntry(const std::string& path, const std::string& name, int wholeName);
// 1 when the entry at the index was extracted, else 0.
int ZipExtractEntryByIndex(const std::string& path, int index, const std::string& destination,
                           int keepPaths);
