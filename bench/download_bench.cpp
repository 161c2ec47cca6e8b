// Times one download alone, in the tool's own process setting: the built-in
// client or the system service. Prints seconds and the peak working set.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "install/download.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: download_bench builtin|api URL PATH\n");
    return 2;
  }
  if (OpenNetworkLayer() != 1) return 1;
  UserSettings settings;
  settings.UseAPI = std::strcmp(argv[1], "api") == 0 ? 1 : 0;
  PurgeUrlCache(argv[2]);
  const auto start = std::chrono::steady_clock::now();
  const int result = DownloadFile(settings, argv[2], argv[3]);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("%d %.3f %llu\n", result, took.count(),
              static_cast<unsigned long long>(memory.PeakWorkingSetSize));
  CloseNetworkLayer();
  return result == 1 ? 0 : 1;
}
