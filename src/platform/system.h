#pragma once

#include <string>

// The system's temporary folder, in its long form, as the system gives it.
std::string SystemTempFolder();

// Full path of the running executable.
std::string ExecutablePath();
