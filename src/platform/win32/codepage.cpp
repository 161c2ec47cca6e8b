#include "platform/codepage.h"

#include <windows.h>

#include <vector>

std::string ConvertOemToAnsi(const std::string& oem) {
  // The converted text may be longer than the raw one: twice its length plus
  // one leaves room for whatever the conversion makes of it.
  std::vector<char> ansi(oem.size() * 2 + 1, '\0');
  OemToCharA(oem.c_str(), ansi.data());
  return std::string(ansi.data());
}
