#pragma once

#include <string>

// The installed version of a library, read from its residents file: the
// zero-terminated text two bytes after the first occurrence of the marker,
// matched ignoring case. Without one, "<unknown>" when the library's
// user-library file is there and not empty, else "<not installed>".
//   basePath: the residents file's path without its extension
//   extension: appended to basePath
//   identifier: the marker (may be empty)
//   pureBasicFolder: the installation folder, ending in a backslash
std::string ProbeInstalledVersion(const std::string& basePath, const std::string& extension,
                                  const std::string& identifier,
                                  const std::string& pureBasicFolder);

// The version text that stands after the first match of the marker in the
// bytes, which must be followed by at least 50 zero bytes; empty when the
// marker does not occur or the text after it is empty.
std::string FindVersionText(const char* bytes, size_t size, const std::string& identifier);
