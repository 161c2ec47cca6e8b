#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// The bytes of a file; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Every file below the folder, as sorted relative paths with "/".
inline std::vector<std::string> FilesBelow(const std::filesystem::path& root) {
  std::vector<std::string> files;
  if (!std::filesystem::exists(root)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) {
      files.push_back(std::filesystem::relative(entry.path(), root).generic_string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A fresh folder for one test, removed afterwards. Product() gives it as the
// tool writes paths: backslashes, with a trailing one.
class TestFolder {
 public:
  TestFolder() {
    std::random_device seed;
    root_ = std::filesystem::temp_directory_path() /
            ("tessary-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(root_);
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Root() const { return root_; }

  std::string Product() const {
    std::string text = root_.string();
    for (char& c : text) {
      if (c == '/') c = '\\';
    }
    if (text.back() != '\\') text += '\\';
    return text;
  }

  // Writes a file at a path in the tool's backslash form.
  static void WriteAt(std::string productPath, const std::string& bytes) {
#ifndef _WIN32
    for (char& c : productPath) {
      if (c == '\\') c = '/';
    }
#endif
    std::ofstream(productPath, std::ios::binary) << bytes;
  }

  void WriteFile(const std::string& relative, const std::string& bytes) const {
    const auto path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path root_;
};
