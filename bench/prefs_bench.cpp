// Reads generated catalogues of 1,000 and 10,000 library groups the way the
// catalogue fetch does: every group selected, its four keys read.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "prefs/preference_file.h"

namespace {

std::string WriteCatalogue(const std::filesystem::path& folder, int groups) {
  const auto path = folder / ("catalogue-" + std::to_string(groups) + ".ini");
  std::ofstream out(path, std::ios::binary);
  out << "[Updater]\r\nVersion = 1.4\r\n";
  for (int i = 1; i <= groups; ++i) {
    const std::string n = std::to_string(i);
    out << "[Library" << n << "]\r\nName = Library" << n << "\r\nVersion = 1." << n
        << "\r\nUrl = updates.example/files/Library" << n << ".zip\r\nIdentifyer = Library" << n
        << "_Version\r\n";
  }
  return path.string();
}

double SecondsToRead(const std::string& path) {
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    const auto start = std::chrono::steady_clock::now();
    PrefOpen(path);
    size_t bytes = 0;
    for (int i = 1;; ++i) {
      if (PrefSelectGroup("Library" + std::to_string(i)) == 0) break;
      bytes += PrefReadText("Name").size() + PrefReadText("Version").size() +
               PrefReadText("Url").size() + PrefReadText("Identifyer").size();
    }
    PrefClose();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (bytes == 0) return -1;
    best = std::min(best, took.count());
  }
  return best;
}

}  // namespace

int main() {
  const auto folder = std::filesystem::temp_directory_path() / "tessary-bench-prefs";
  std::filesystem::create_directories(folder);
  const double small = SecondsToRead(WriteCatalogue(folder, 1000));
  const double large = SecondsToRead(WriteCatalogue(folder, 10000));
  std::filesystem::remove_all(folder);
  const double ratio = large / small;
  std::printf("prefs: 1,000 groups %.2f ms, 10,000 groups %.2f ms, ratio %.1f (goal under 12)\n",
              small * 1000, large * 1000, ratio);
  return ratio < 12 ? 0 : 1;
}
