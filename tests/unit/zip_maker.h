#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Makes zip archives for tests with minizip's own writer, and changes their
// bytes where a test needs a fault the writer will not make.
class ZipMaker {
 public:
  struct Entry {
    std::string Name;
    std::string Data;
    int Method = 8;                 // 0 stored, 8 deflated
    uint32_t ExternalAttributes = 0x20;
    int Year = 2024, Month = 5, Day = 17, Hour = 13, Minute = 42, Second = 30;  // Month 1-12
    std::string Password;           // non-empty: encrypted
    bool WrongCrc = false;          // stored as given, with a CRC-32 that does not match
    bool CutShort = false;          // deflated data cut to half, sizes kept
  };

  ZipMaker& Add(const std::string& name, const std::string& data, int method = 8) {
    Entry entry;
    entry.Name = name;
    entry.Data = data;
    entry.Method = method;
    entries_.push_back(entry);
    return *this;
  }
  ZipMaker& Add(const Entry& entry) {
    entries_.push_back(entry);
    return *this;
  }

  // Writes the archive to a native path.
  void Write(const std::string& nativePath) const;
  // The archive's bytes.
  std::string Bytes() const;

 private:
  std::vector<Entry> entries_;
};

// Sets the compression method field of every header in the archive bytes.
void SetEveryMethod(std::string& archive, uint16_t method);
