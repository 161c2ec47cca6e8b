#pragma once

#include <string>

#include "app/app_state.h"
#include "ui/main_view.h"

// Unpacks one downloaded library archive into the PureBasic folder: entries
// under the library folders, the residents, the examples and the help (in
// the preferred language) go to their places, the rest is passed over.
// 1 when every routed entry went in, else 0; each failure is logged. The
// archive is deleted afterwards when DeleteBackups is 1, whatever the result.
int InstallArchive(const AppState& state, MainView& view, const std::string& archivePath);
