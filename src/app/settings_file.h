#pragma once

#include "app/app_state.h"

// The five user settings in Tessary.ini next to the executable: read once at
// start-up, written whole once at shutdown.
void LoadSettings(AppState& state);
void SaveSettings(const AppState& state);
