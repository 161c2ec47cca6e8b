#pragma once

#include "app/app_state.h"

// Window 1: the modal dialog in which the user edits the settings. Returns
// when it is closed; the main window takes no input meanwhile.
void ShowPreferences(AppState& state);
