#include "app/ansi_case.h"

std::string ToLowerAnsi(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(LowerAnsiByte(static_cast<unsigned char>(c)));
  return lower;
}
