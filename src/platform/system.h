#pragma once

#include <string>

// The system's temporary folder, in its long form, as the system gives it.
std::string SystemTempFolder();

// Full path of the running executable.
std::string ExecutablePath();

// The value of an environment variable; empty when it is not set.
std::string EnvironmentValue(const std::string& name);
