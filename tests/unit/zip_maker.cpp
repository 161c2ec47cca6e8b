#include "zip_maker.h"

#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "zip.h"

namespace {

std::string RawDeflate(const std::string& data) {
  z_stream stream{};
  deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(compressBound(static_cast<uLong>(data.size())) + 64, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

}  // namespace

void ZipMaker::Write(const std::string& nativePath) const {
  const zipFile zip = zipOpen64(nativePath.c_str(), APPEND_STATUS_CREATE);
  for (const Entry& entry : entries_) {
    zip_fileinfo info{};
    info.tmz_date.tm_year = static_cast<uInt>(entry.Year);
    info.tmz_date.tm_mon = static_cast<uInt>(entry.Month - 1);
    info.tmz_date.tm_mday = static_cast<uInt>(entry.Day);
    info.tmz_date.tm_hour = static_cast<uInt>(entry.Hour);
    info.tmz_date.tm_min = static_cast<uInt>(entry.Minute);
    info.tmz_date.tm_sec = static_cast<uInt>(entry.Second);
    info.external_fa = entry.ExternalAttributes;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(entry.Data.data()),
                            static_cast<uInt>(entry.Data.size()));
    const bool raw = entry.WrongCrc || entry.CutShort;
    zipOpenNewFileInZip3(zip, entry.Name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                         entry.Method, Z_DEFAULT_COMPRESSION, raw ? 1 : 0, -MAX_WBITS,
                         DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                         entry.Password.empty() ? nullptr : entry.Password.c_str(), crc);
    if (raw) {
      std::string body = entry.Method == 8 ? RawDeflate(entry.Data) : entry.Data;
      if (entry.CutShort) body.resize(body.size() / 2);
      zipWriteInFileInZip(zip, body.data(), static_cast<unsigned>(body.size()));
      zipCloseFileInZipRaw(zip, static_cast<uLong>(entry.Data.size()),
                           entry.WrongCrc ? crc ^ 0x5A5A5A5A : crc);
    } else {
      zipWriteInFileInZip(zip, entry.Data.data(), static_cast<unsigned>(entry.Data.size()));
      zipCloseFileInZip(zip);
    }
  }
  zipClose(zip, nullptr);
}

std::string ZipMaker::Bytes() const {
  const auto path = std::filesystem::temp_directory_path() /
                    ("tessary-zip-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + ".zip");
  Write(path.string());
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  in.close();
  std::filesystem::remove(path);
  return bytes.str();
}

void SetEveryMethod(std::string& archive, uint16_t method) {
  const auto patch = [&archive, method](const char* signature, size_t offset) {
    for (size_t at = archive.find(signature); at != std::string::npos;
         at = archive.find(signature, at + 4)) {
      archive[at + offset] = static_cast<char>(method & 0xFF);
      archive[at + offset + 1] = static_cast<char>(method >> 8);
    }
  };
  patch("PK\x03\x04", 8);
  patch("PK\x01\x02", 10);
}
