#pragma once

#include <string>

#include "app/app_state.h"

// Every transfer of the tool goes through DownloadFile. Its callers' duty,
// in this order: PurgeUrlCache(url), test NetworkReady, DownloadFile.

// Fetches the URL into the file at path: 1 when the whole resource arrived,
// else 0. UseAPI 1 selects the system's URL download service; any other
// value the tool's own HTTP client.
int DownloadFile(const UserSettings& settings, const std::string& url, const std::string& path);

// Removes the URL from the system's download cache so that the system
// service cannot answer from a stale copy.
void PurgeUrlCache(const std::string& url);

// Starts the socket layer: 1 on success, 0 otherwise.
int OpenNetworkLayer();
// Releases the socket layer if OpenNetworkLayer started it.
void CloseNetworkLayer();
