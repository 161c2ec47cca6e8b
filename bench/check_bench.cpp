// "Check for updates" without the network: a generated catalogue of 1,000
// and of 10,000 libraries, each with its residents file, read by
// FetchCatalogue and shown by FillLibraryList in a window that only counts.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/catalogue_fetch.h"
#include "catalogue/library_list.h"

namespace {

class CountingView : public MainView {
 public:
  void AppendLog(const std::string&) override {}
  void DrainEvents() override {}
  void EnableControl(int, bool) override {}
  void AddRow(const std::string&) override { ++rows; }
  int RowCount() override { return rows; }
  int GetRowState(int) override { return 0; }
  void SetRowState(int, int) override { ++checked; }
  int SelectAllState() override { return 0; }
  BoxAnswer ShowMessage(const std::string&, const std::string&, BoxIcon, BoxButtons) override {
    return BoxAnswer::Ok;
  }
  int rows = 0;
  int checked = 0;
};



std::string ProductFolder(const std::filesystem::path& path) {
  std::string text = path.string();
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return text + "\\";
}

double SecondsToCheck(const std::filesystem::path& root, int libraries) {
  const auto folder = root / std::to_string(libraries);
  const auto pureBasic = folder / "PureBasic";
  std::filesystem::create_directories(pureBasic / "Residents");
  std::filesystem::create_directories(folder / "temp");
  const auto catalogue = folder / "Updater.ini";
  {
    std::ofstream out(catalogue, std::ios::binary);
    out << "[Updater]\r\nVersion = 1.4\r\n";
    for (int i = 1; i <= libraries; ++i) {
      const std::string name = "Library" + std::to_string(i);
      out << "[" << name << "]\r\nName = " << name << "\r\nVersion = 1." << i % 7
          << "\r\nUrl = updates.example/files/" << name << ".zip\r\nIdentifyer = " << name
          << "_Version\r\n";
      std::ofstream residents(pureBasic / "Residents" / (name + ".res"), std::ios::binary);
      residents << std::string(2000, 'x') << name << "_Version" << '\0' << '\1' << "1."
                << i % 5 << '\0' << std::string(2000, 'y');
    }
  }
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    AppState state;
    state.ToolVersion = state.ServerToolVersion = "1.4";
    state.UpdateServer = "updates.example";
    state.Paths.TempDir = ProductFolder(folder / "temp");
    state.Settings.PureBasicFolder = ProductFolder(pureBasic);
    state.NetworkReady = 1;
    Transfers transfers;
    transfers.PurgeUrlCache = [](const std::string&) {};
    transfers.DownloadFile = [&catalogue, &folder](const UserSettings&, const std::string&,
                                                    const std::string&) {
      std::filesystem::copy_file(catalogue, folder / "temp" / "Updater.ini",
                                 std::filesystem::copy_options::overwrite_existing);
      return 1;
    };
    CountingView view;
    const auto start = std::chrono::steady_clock::now();
    const int found = FetchCatalogue(state, transfers);
    FillLibraryList(state, view);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (found != libraries || view.rows != libraries) return -1;
    best = std::min(best, took.count());
  }
  return best;
}

}  // namespace

int main() {
  const auto root = std::filesystem::temp_directory_path() / "tessary-bench-check";
  std::filesystem::remove_all(root);
  const double small = SecondsToCheck(root, 1000);
  const double large = SecondsToCheck(root, 10000);
  std::filesystem::remove_all(root);
  const double ratio = large / small;
  std::printf("check: 1,000 libraries %.1f ms, 10,000 libraries %.1f ms, ratio %.1f (goal under 12)\n",
              small * 1000, large * 1000, ratio);
  return small > 0 && large > 0 && ratio < 12 ? 0 : 1;
}
