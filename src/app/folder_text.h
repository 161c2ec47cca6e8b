#pragma once

#include <string>

// Folder texts carry a trailing backslash; an empty text becomes "\".
std::string EnsureTrailingBackslash(const std::string& folder);

// Everything up to and including the last backslash or slash; empty when
// the text has neither.
std::string FolderPart(const std::string& path);

// The text after the last backslash or slash; the whole text when it has
// neither.
std::string FilePart(const std::string& path);
