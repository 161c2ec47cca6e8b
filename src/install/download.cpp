#include "install/download.h"

#include "install/http_client.h"
#include "platform/net.h"
#include "platform/url_service.h"

namespace {

bool networkStarted = false;

}  // namespace

int DownloadFile(const UserSettings& settings, const std::string& url, const std::string& path) {
  if (settings.UseAPI == 1) return SystemUrlDownload(url, path) ? 1 : 0;
  return HttpDownload(url, path);
}

void PurgeUrlCache(const std::string& url) { SystemPurgeUrlCache(url); }

int OpenNetworkLayer() {
  if (networkStarted) return 1;
  networkStarted = NetStart();
  return networkStarted ? 1 : 0;
}

void CloseNetworkLayer() {
  if (!networkStarted) return;
  NetStop();
  networkStarted = false;
}
