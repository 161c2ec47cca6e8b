#pragma once

#include <string>

#include "platform/host_system.h"

// The first guess of the PureBasic folder: the folder of PureBasic.exe in
// the command the system's file-type registration holds for it. Where that
// registration is read depends on the Windows version.

// 60 for Windows XP (and XP x64), 70 for Vista, 30 for Windows 98, 0 for
// every other version, where the registry is not consulted.
int ClassifyWindowsVersion(const WindowsVersion& version);

// The folder part (up to and including the last backslash or slash) of the
// text between the command's first two double quotes; empty when there is
// none.
std::string FolderOfRegisteredCommand(const std::string& command);

// A folder text, or empty text when none could be found.
std::string DiscoverHostFolder();
