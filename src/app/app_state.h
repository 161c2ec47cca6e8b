#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The program-wide state. The entry point owns the one instance and hands it
// by reference to every step and handler; nothing else keeps a copy.

struct AppPaths {
  std::string AppDir;   // folder of the running executable, ends in a separator
  std::string TempDir;  // system temporary folder, ends in a backslash
};

struct UserSettings {
  // The PureBasic installation folder. It is both a working path and a
  // setting; it lives here only, so the two can never disagree.
  std::string PureBasicFolder;
  std::string DefaultDocLanguage = "English";
  int32_t FirstStart = 1;
  int32_t DeleteBackups = 1;
  int32_t UseAPI = 0;
};

// Entry k of each list belongs to the catalogue group "Library" + (k + 1)
// and to row k of the library list; the lists always grow and empty together.
struct Catalogue {
  std::vector<std::string> Names;
  std::vector<std::string> Versions;
  std::vector<std::string> Urls;
  std::vector<std::string> Identifiers;
};

struct AppState {
  std::string ToolVersion;
  std::string ServerToolVersion;
  // Host, or host:port, of the server with the catalogue and the tool package.
  std::string UpdateServer;
  AppPaths Paths;
  UserSettings Settings;
  int32_t NetworkReady = 0;
  Catalogue Libraries;
};
