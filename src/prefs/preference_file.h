#pragma once

#include <cstdint>
#include <string>

// The reader and writer of INI-syntax files. One file is current at a time,
// process-wide; callers open or create it, work on it and close it within
// one operation.

// Opens an existing file; non-zero on success, 0 when it cannot be opened.
// Closes any current file first.
int PrefOpen(const std::string& path);
// Starts a new file at the path; non-zero on success, 0 when it cannot be
// created. The file on disk is replaced only when PrefClose writes it whole.
int PrefCreate(const std::string& path);
// 1 when the group exists (or the name is empty: the top section), else 0,
// and the name becomes the pending group that the next write creates.
int PrefSelectGroup(const std::string& name);
std::string PrefReadText(const std::string& key, const std::string& defaultText = std::string());
int32_t PrefReadNumber(const std::string& key, int32_t defaultValue = 0);
// 1 on success, 0 when no file is current.
int PrefWriteComment(const std::string& text);
void PrefWriteText(const std::string& key, const std::string& value);
void PrefWriteNumber(const std::string& key, int32_t value);
// Writes the file if it was changed, then releases it.
void PrefClose();
