#pragma once

#include "app/app_state.h"
#include "install/transfers.h"
#include "ui/main_view.h"

// Downloads the tool package from the update server into Backups and
// unpacks its Tessary.exe there. 1 when the new executable stands in
// Backups, else 0; the user is told either way.
int DownloadToolUpdate(AppState& state, MainView& view, const Transfers& transfers);
