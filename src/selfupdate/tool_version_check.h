#pragma once

#include "app/app_state.h"
#include "install/transfers.h"
#include "ui/main_view.h"

// The last step of "Check for updates": compares the catalogue's tool
// version with the tool's own. True when the tool is to end.
bool RunToolVersionCheck(AppState& state, MainView& view, const Transfers& transfers);
