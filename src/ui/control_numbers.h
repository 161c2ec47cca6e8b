#pragma once

// Windows, controls and menu items are addressed by fixed numbers; a control's
// number is also its Win32 control ID, and a menu item's number its command ID.

enum WindowNumber : int {
  MainWindowNumber = 0,
  PreferencesWindowNumber = 1,
};

enum MainControl : int {
  CheckForUpdatesButton = 3,
  InstallUpdatesButton = 4,
  ExitButton = 5,
  MainPanel = 6,
  LibraryList = 7,
  SelectAllCheckBox = 8,
  LogFrame = 9,
  LogPane = 10,
};

enum MainMenuItem : int {
  PreferencesMenuItem = 1,
  ExitMenuItem = 2,
};

enum PreferencesControl : int {
  PreferencesContainer = 11,
  DefaultFolderFrame = 12,
  PureBasicLabel = 13,
  PureBasicFolderField = 14,
  ChooseFolderButton = 15,
  LanguageFrame = 16,
  LanguageLeadText = 17,
  LanguageList = 18,
  LanguageTrailText = 19,
  DownloadsFrame = 20,
  DeleteBackupsCheckBox = 21,
  MethodFrame = 22,
  UseApiCheckBox = 23,
  ApplyButton = 24,
  CancelButton = 25,
};
