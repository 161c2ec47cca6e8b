#pragma once

#include "app/app_shell.h"
#include "app/app_state.h"
#include "app/app_steps.h"

// Settles the start-up values, the working folders and the Backups folder,
// and takes a first PureBasic folder. False when the Backups folder cannot be
// made; the user has then been told and the tool must end at once.
bool SettleStartupState(AppState& state, AppShell& shell, const AppSteps& steps);
