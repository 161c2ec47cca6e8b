#pragma once

#include "app/app_state.h"
#include "install/transfers.h"

// Downloads Updater.ini from the update server into the temporary folder,
// reads it into the catalogue and deletes it. The number of libraries it
// lists; 0 when it lists none; -1 when the network layer cannot be started,
// the download fails or the file cannot be read. The lists are emptied
// first, so after a failure they are empty.
int FetchCatalogue(AppState& state, const Transfers& transfers = Transfers());

// "http://" + server + path, for the files of the update server.
std::string UpdateServerUrl(const AppState& state, const std::string& path);
