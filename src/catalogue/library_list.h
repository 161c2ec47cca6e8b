#pragma once

#include "app/app_state.h"
#include "install/transfers.h"
#include "ui/main_view.h"

// "Check for updates": fetches the catalogue and fills the list, then runs
// the tool-version check. True when that check wants the tool to end.
bool CheckForUpdates(AppState& state, MainView& view, const Transfers& transfers = Transfers());

// One row per catalogue library with its installed and internet version;
// rows whose two versions differ in any byte are checked.
void FillLibraryList(AppState& state, MainView& view);

// The select-all box's handler: every row checked when the box is, else
// every row unchecked; no row stays selected.
void ToggleAllRows(MainView& view);

// Before an install run: when a row is checked, the button, the list and
// the select-all box are disabled for the rest of the run.
void LockListForInstall(MainView& view);
