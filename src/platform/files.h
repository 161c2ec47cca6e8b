#pragma once

#include <cstdint>
#include <string>

// File system access. Paths are the product's backslash paths; the posix
// implementation maps them to slashes.

// Size in bytes of a file; -1 when nothing is at the path, -2 for a folder.
int64_t FileSize(const std::string& path);

// Creates one folder level; false when it could not be made.
bool CreateFolder(const std::string& path);

bool DeleteFileAt(const std::string& path);
