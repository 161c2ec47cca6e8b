// Extracts a whole archive the way the archive installation walks one:
// every entry, keeping its path. Prints the seconds taken and the peak
// resident memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "archive/zip_reader.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: unzip_bench ARCHIVE DESTINATION\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  if (ZipOpenArchive(argv[1]) == 0) return 1;
  int failed = 0;
  int entries = 0;
  ZipFirstEntry();
  do {
    ZipEntry entry;
    if (ZipGetEntryInfo(entry) != 0 || ZipExtractEntry(argv[2], 1) != 0) ++failed;
    ++entries;
  } while (ZipNextEntry() == 0);
  ZipCloseArchive();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%.3f %ld %d %d\n", took.count(), usage.ru_maxrss, entries, failed);
  return failed == 0 ? 0 : 1;
}
