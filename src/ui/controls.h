#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/toolkit.h"

// One creation function per control kind, each taking the number, parent,
// position, size and text of a layout table row.
namespace controls {

HWND PushButton(const toolkit::ControlArgs& args);
HWND CheckBox(const toolkit::ControlArgs& args);
HWND Frame(const toolkit::ControlArgs& args);
HWND RaisedContainer(const toolkit::ControlArgs& args);
HWND Text(const toolkit::ControlArgs& args, bool rightAligned = false);
HWND TextField(const toolkit::ControlArgs& args);
HWND DropDownList(const toolkit::ControlArgs& args, const std::vector<std::string>& items);

struct Column {
  std::string Title;
  int Width;
};
// A report list with a check box in front of every row.
HWND CheckList(const toolkit::ControlArgs& args, const std::vector<Column>& columns);

// A read-only rich-text log without word wrap and without a length limit.
HWND LogArea(const toolkit::ControlArgs& args);

}  // namespace controls
