#include "ui/controls.h"

#include <commctrl.h>
#include <richedit.h>

namespace controls {

HWND PushButton(const toolkit::ControlArgs& args) {
  return toolkit::CreateControl("BUTTON", args, BS_PUSHBUTTON | WS_TABSTOP);
}

HWND CheckBox(const toolkit::ControlArgs& args) {
  return toolkit::CreateControl("BUTTON", args, BS_AUTOCHECKBOX | WS_TABSTOP);
}

HWND Frame(const toolkit::ControlArgs& args) {
  return toolkit::CreateControl("BUTTON", args, BS_GROUPBOX);
}

HWND RaisedContainer(const toolkit::ControlArgs& args) {
  return toolkit::CreateControl(toolkit::ContainerClassName(), args,
                                WS_DLGFRAME,
                                WS_EX_CONTROLPARENT);
}

HWND Text(const toolkit::ControlArgs& args, bool rightAligned) {
  // One line, as the layout means it; a slightly wider font clips the end
  // rather than pushing words onto a line that is not there.
  return toolkit::CreateControl("STATIC", args, rightAligned ? SS_RIGHT : SS_LEFTNOWORDWRAP);
}

HWND TextField(const toolkit::ControlArgs& args) {
  return toolkit::CreateControl("EDIT", args, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
}

HWND DropDownList(const toolkit::ControlArgs& args, const std::vector<std::string>& items) {
  // A combo box's window height includes its dropped-down list.
  toolkit::ControlArgs withList = args;
  withList.Height = args.Height + 120;
  const HWND hwnd =
      toolkit::CreateControl("COMBOBOX", withList, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
  if (hwnd == nullptr) return nullptr;
  for (const std::string& item : items) {
    SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  return hwnd;
}

HWND CheckList(const toolkit::ControlArgs& args, const std::vector<Column>& columns) {
  const HWND hwnd = toolkit::CreateControl(
      WC_LISTVIEWA, args, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
      WS_EX_CLIENTEDGE);
  if (hwnd == nullptr) return nullptr;
  const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
  SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  int index = 0;
  for (const Column& column : columns) {
    LVCOLUMNA lvColumn = {};
    lvColumn.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    lvColumn.pszText = const_cast<char*>(column.Title.c_str());
    lvColumn.cx = column.Width;
    lvColumn.iSubItem = index;
    SendMessageA(hwnd, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&lvColumn));
    ++index;
  }
  return hwnd;
}

HWND LogArea(const toolkit::ControlArgs& args) {
  static const HMODULE richEdit = LoadLibraryA("riched20.dll");
  if (richEdit == nullptr) return nullptr;
  const HWND hwnd = toolkit::CreateControl(
      RICHEDIT_CLASSA, args,
      ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | WS_VSCROLL |
          WS_HSCROLL,
      WS_EX_CLIENTEDGE);
  if (hwnd == nullptr) return nullptr;
  SendMessageA(hwnd, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  // A line width of 1 with no target device turns word wrap off.
  SendMessageA(hwnd, EM_SETTARGETDEVICE, 0, 1);
  return hwnd;
}

}  // namespace controls
