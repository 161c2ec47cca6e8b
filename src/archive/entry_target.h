#pragma once

#include <string>

// Where an archive entry goes on disk: pure rules over its converted name
// (backslashes, a folder entry ends in one) and the destination folder.

struct EntryTarget {
  // The name would lead outside the destination (a ".." component, a
  // leading backslash once the drive is gone, a ":" left in it) or holds a
  // control byte: nothing may be written for it.
  bool Refused = false;
  bool FolderEntry = false;  // only folders to make, no file
  std::string Folders;       // folder chain to make, ending in "\"; may be empty
  std::string File;          // the file to write; empty when there is none
};

// Everything up to and including the first ":\" taken away.
std::string RemoveDrivePrefix(const std::string& name);

// destination ends in "\"; keepPaths 1 keeps the entry's folders, 0 writes
// the bare file name into the destination.
EntryTarget PlanEntryTarget(const std::string& destination, const std::string& name,
                            int keepPaths);
