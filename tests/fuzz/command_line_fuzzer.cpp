// Any command line splits within its buffer, and every token is made only
// of the line's own characters.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "selfupdate/finalizer/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  const char* text = line.c_str();  // ends at the first zero byte, as a command line does
  std::vector<char> buffer(std::strlen(text) + 1);
  const char* tokens[8] = {};
  const int count = SplitCommandLine(text, buffer.data(), tokens, 8);
  size_t total = 0;
  for (int i = 0; i < count && i < 8; ++i) {
    const size_t length = std::strlen(tokens[i]);
    total += length;
    if (std::strchr(tokens[i], ' ') != nullptr && line.find('"') == std::string::npos) {
      __builtin_trap();  // without quotes no token holds a blank
    }
  }
  if (total > std::strlen(text)) __builtin_trap();
  return 0;
}
