#pragma once

#include "app/app_state.h"
#include "install/transfers.h"
#include "ui/main_view.h"

// "Install updates" after the list was locked: downloads every checked
// row's archive into the Backups folder and installs it, then tells how
// many archives went in. Always 0.
int InstallSelected(AppState& state, MainView& view, const Transfers& transfers = Transfers());
