#pragma once

#include <functional>
#include <string>

#include "app/app_state.h"
#include "install/download.h"

// The network side of the fetches and the install run, replaceable in tests
// (a network layer that will not start, say). Defaults are the real ones.
struct Transfers {
  std::function<int()> OpenNetworkLayer = ::OpenNetworkLayer;
  std::function<void(const std::string&)> PurgeUrlCache = ::PurgeUrlCache;
  std::function<int(const UserSettings&, const std::string&, const std::string&)> DownloadFile =
      ::DownloadFile;
};
