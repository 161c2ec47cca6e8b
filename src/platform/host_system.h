#pragma once

#include <string>

// What the system says about itself: its version, and values of its
// registry. Neither exists off Windows; there the queries fail.

struct WindowsVersion {
  bool Nt = false;           // NT platform, else the 9x one
  int Major = 0;
  int Minor = 0;
  bool Workstation = false;  // a workstation product, not a server
};

// False when the version cannot be queried.
bool QueryWindowsVersion(WindowsVersion& version);

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

// The default value of a key as raw bytes, read into a buffer of the given
// size; false when the key or its default value is missing or the value does
// not fit the buffer. The bytes are those the system returned, their count
// included.
bool ReadRegistryDefault(RegistryRoot root, const std::string& key, size_t bufferSize,
                         std::string& bytes);
