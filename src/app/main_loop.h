#pragma once

#include "app/app_shell.h"
#include "app/app_state.h"
#include "app/app_steps.h"

// Waits for one event at a time and hands it to its handler, until Exit, the
// Exit menu item, the close box, or a check handler that ends the tool.
void RunEventLoop(AppState& state, AppShell& shell, const AppSteps& steps);
