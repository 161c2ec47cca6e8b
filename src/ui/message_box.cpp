#include "ui/message_box.h"

BoxAnswer ShowMessageBox(HWND owner, const std::string& title, const std::string& text,
                         BoxIcon icon, BoxButtons buttons) {
  UINT flags = buttons == BoxButtons::YesNo ? MB_YESNO : MB_OK;
  if (icon == BoxIcon::Error) flags |= MB_ICONERROR;
  if (icon == BoxIcon::Information) flags |= MB_ICONINFORMATION;
  // Without an owner the box must still come to the front of the desktop.
  if (owner == nullptr) flags |= MB_SETFOREGROUND;
  switch (MessageBoxA(owner, text.c_str(), title.c_str(), flags)) {
    case IDYES:
      return BoxAnswer::Yes;
    case IDNO:
      return BoxAnswer::No;
    default:
      return BoxAnswer::Ok;
  }
}
