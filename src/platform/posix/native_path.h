#pragma once

#include <string>

// The core writes backslash paths; on posix they name slash paths.
inline std::string NativePath(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

inline std::string ProductPath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}
