#pragma once

#include <functional>
#include <string>

#include "app/app_state.h"
#include "install/download.h"
#include "selfupdate/finalizer_handoff.h"

// What the handlers do outside the process: the network side of the
// fetches and the install run, and the hand-off to the finalizer after a
// self-update. Replaceable in tests (a network layer that will not start,
// say); defaults are the real ones.
struct Transfers {
  std::function<int()> OpenNetworkLayer = ::OpenNetworkLayer;
  std::function<void(const std::string&)> PurgeUrlCache = ::PurgeUrlCache;
  std::function<int(const UserSettings&, const std::string&, const std::string&)> DownloadFile =
      ::DownloadFile;
  std::function<void(const AppState&)> RunUpdateFinalizer = ::RunUpdateFinalizer;
};
