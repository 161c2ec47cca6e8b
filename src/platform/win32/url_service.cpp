#include "platform/url_service.h"

#include <windows.h>
#include <urlmon.h>
#include <wininet.h>

bool SystemUrlDownload(const std::string& url, const std::string& path) {
  return URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, nullptr) == S_OK;
}

void SystemPurgeUrlCache(const std::string& url) { DeleteUrlCacheEntryA(url.c_str()); }
