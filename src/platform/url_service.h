#pragma once

#include <string>

// The system's URL download service and its cache. On systems without them
// the download fails and the purge does nothing.

// True when the service reports success.
bool SystemUrlDownload(const std::string& url, const std::string& path);
void SystemPurgeUrlCache(const std::string& url);
