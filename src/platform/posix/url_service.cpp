#include "platform/url_service.h"

bool SystemUrlDownload(const std::string&, const std::string&) { return false; }

void SystemPurgeUrlCache(const std::string&) {}
