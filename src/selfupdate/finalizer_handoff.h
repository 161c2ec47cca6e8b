#pragma once

#include <string>

#include "app/app_state.h"

// The resource number under which the build carries the finalizer's file.
constexpr int FinalizerImageResource = 101;

// "/FinalizeUpdate", the new executable in Backups and the executable to
// replace, each in double quotes, separated by single blanks.
std::string FinalizerArguments(const std::string& appDir, const std::string& executableName);

// Writes the finalizer carried in the tool to the temporary folder and
// starts it; the tool must end right after. Nothing is reported: the
// finalizer tells the user how it went.
void RunUpdateFinalizer(const AppState& state);
