#include "catalogue/version_probe.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "app/ansi_case.h"
#include "app/folder_text.h"
#include "platform/files.h"

namespace {

constexpr size_t Slack = 50;

// Bytes at the position equal the marker when folded; the text there ends
// early at a zero byte, so a marker cut by one never matches.
bool MarkerAt(const unsigned char* at, const std::string& lowerMarker) {
  for (size_t k = 0; k < lowerMarker.size(); ++k) {
    if (at[k] == 0 || LowerAnsiByte(at[k]) != static_cast<unsigned char>(lowerMarker[k])) {
      return false;
    }
  }
  return true;
}

// The next position from start on where a byte folds to the given one: at
// most two byte values do, so two quick searches find every candidate.
const unsigned char* NextCandidate(const unsigned char* start, const unsigned char* end,
                                   unsigned char lowerFirst, unsigned char otherFirst) {
  const auto* lower = static_cast<const unsigned char*>(std::memchr(start, lowerFirst, end - start));
  if (otherFirst == lowerFirst) return lower;
  const auto* other = static_cast<const unsigned char*>(
      std::memchr(start, otherFirst, (lower != nullptr ? lower : end) - start));
  return other != nullptr ? other : lower;
}

}  // namespace

std::string FindVersionText(const char* bytes, size_t size, const std::string& identifier) {
  const std::string marker = identifier.substr(0, identifier.find('\0'));
  const auto* data = reinterpret_cast<const unsigned char*>(bytes);
  if (size == 0) return std::string();
  size_t found = 0;
  if (!marker.empty()) {
    const std::string lowerMarker = ToLowerAnsi(marker);
    const auto lowerFirst = static_cast<unsigned char>(lowerMarker[0]);
    unsigned char otherFirst = lowerFirst;
    for (int c = 0; c < 256; ++c) {
      if (c != lowerFirst && LowerAnsiByte(static_cast<unsigned char>(c)) == lowerFirst) {
        otherFirst = static_cast<unsigned char>(c);
      }
    }
    const unsigned char* end = data + size;
    const unsigned char* at = NextCandidate(data, end, lowerFirst, otherFirst);
    while (at != nullptr && !MarkerAt(at, lowerMarker)) {
      at = at + 1 < end ? NextCandidate(at + 1, end, lowerFirst, otherFirst) : nullptr;
    }
    if (at == nullptr) return std::string();
    found = static_cast<size_t>(at - data);
  }
  const char* text = bytes + found + marker.size() + 2;
  return std::string(text, std::strlen(text));
}

std::string ProbeInstalledVersion(const std::string& basePath, const std::string& extension,
                                  const std::string& identifier,
                                  const std::string& pureBasicFolder) {
  const std::string name = FilePart(basePath);
  std::string result;
  const int64_t size = FileSize(basePath + extension);
  // The size is a signed 32-bit count: residents files of 2 GiB or more are
  // beyond what the probe reads.
  if (size > 0 && size <= std::numeric_limits<int32_t>::max()) {
    const size_t length = static_cast<size_t>(size);
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[length + Slack]());
    if (buffer) {
      FileStream file = FileStream::OpenExisting(basePath + extension, false, FileSharing::ReadWrite);
      size_t got = 0;
      while (file.IsOpen() && got < length) {
        const int64_t n = file.Read(buffer.get() + got, static_cast<int64_t>(length - got));
        if (n <= 0) break;
        got += static_cast<size_t>(n);
      }
      result = FindVersionText(buffer.get(), length, identifier);
    }
  }
  if (result.empty()) {
    const int64_t libraryFile =
        FileSize(pureBasicFolder + "PureLibraries\\UserLibraries\\" + name);
    result = libraryFile > 0 ? "<unknown>" : "<not installed>";
  }
  return result;
}
