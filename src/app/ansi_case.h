#pragma once

#include <string>

// Case folding of 8-bit ANSI text as the tool matches version markers and
// archive paths: the bytes 0x41 to 0x5A and 0xC0 to 0xDE are raised by 0x20,
// every other byte stays.
inline unsigned char LowerAnsiByte(unsigned char c) {
  return ((c >= 0x41 && c <= 0x5A) || (c >= 0xC0 && c <= 0xDE)) ? static_cast<unsigned char>(c + 0x20)
                                                                 : c;
}

std::string ToLowerAnsi(const std::string& text);
