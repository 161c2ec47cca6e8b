#pragma once

#include <functional>
#include <string>

#include "app/app_state.h"
#include "ui/main_view.h"

// The steps of start-up, the loop and shutdown whose work belongs to other
// components. The entry point wires the real ones; each defaults to doing
// nothing, so a component can be left out of a test.
struct AppSteps {
  // A folder text, or empty text when none was found.
  std::function<std::string()> DiscoverHostFolder = [] { return std::string(); };
  std::function<void(AppState&)> LoadSettings = [](AppState&) {};
  std::function<void(const AppState&)> SaveSettings = [](const AppState&) {};
  std::function<void(AppState&)> ShowPreferences = [](AppState&) {};
  // Returns true when the tool is to end (self-update declined or handed off).
  std::function<bool(AppState&, MainView&)> CheckForUpdates = [](AppState&, MainView&) {
    return false;
  };
  std::function<void(AppState&, MainView&)> InstallUpdates = [](AppState&, MainView&) {};
  std::function<void(AppState&, MainView&)> ToggleAllRows = [](AppState&, MainView&) {};
  std::function<void()> CloseNetworkLayer = [] {};
};
