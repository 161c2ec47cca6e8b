#pragma once

#include "app/app_shell.h"
#include "app/app_steps.h"

// The whole run of the tool: start-up, the event loop and shutdown. Always 0,
// the tool's exit code on every path.
int RunTessary(AppShell& shell, const AppSteps& steps);
