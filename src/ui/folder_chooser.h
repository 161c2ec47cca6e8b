#pragma once

#include <windows.h>

#include <string>

// The system's folder chooser with a title, opened at a starting folder.
// The chosen folder ending in a backslash, or empty text when cancelled.
std::string ChooseFolderDialog(HWND owner, const std::string& title, const std::string& start);
