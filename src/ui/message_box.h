#pragma once

#include <windows.h>

#include <string>

#include "ui/main_view.h"

// A modal message box; owner may be null.
BoxAnswer ShowMessageBox(HWND owner, const std::string& title, const std::string& text,
                         BoxIcon icon, BoxButtons buttons);
