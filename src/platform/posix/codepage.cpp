#include "platform/codepage.h"

namespace {

// OEM 437 bytes 0x80 to 0xFF in ANSI 1252: the same character where 1252
// has it, else the nearest plain one.
constexpr unsigned char Oem437ToAnsi1252[128] = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xA2, 0xA3, 0xA5, 'P',  0x83,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAC, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    '_',  '_',  '_',  '|',  '+',  '+',  '+',  '+',  '+',  '+',  '|',  '+',  '+',  '+',  '+',  '+',
    '+',  '+',  '+',  '+',  '-',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '-',  '+',  '+',
    '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '_',  '_',  '|',  '|',  '_',
    'a',  0xDF, 'G',  'p',  'S',  's',  0xB5, 't',  'F',  'T',  'O',  'd',  '8',  'f',  'e',  'n',
    '=',  0xB1, '=',  '=',  '(',  ')',  0xF7, '~',  0xB0, 0xB7, 0xB7, 'v',  'n',  0xB2, '_',  0xA0,
};

}  // namespace

std::string ConvertOemToAnsi(const std::string& oem) {
  std::string ansi = oem.substr(0, oem.find('\0'));
  for (char& c : ansi) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) c = static_cast<char>(Oem437ToAnsi1252[byte - 0x80]);
  }
  return ansi;
}
