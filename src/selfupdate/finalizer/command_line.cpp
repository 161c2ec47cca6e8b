#include "selfupdate/finalizer/command_line.h"

int SplitCommandLine(const char* line, char* buffer, const char** tokens, int maxTokens) {
  int count = 0;
  const char* in = line;
  char* out = buffer;
  for (;;) {
    while (*in == ' ') ++in;
    if (*in == '\0') break;
    char* start = out;
    if (*in == '"') {
      ++in;
      while (*in != '\0' && *in != '"') *out++ = *in++;
      if (*in == '"') ++in;
    } else {
      while (*in != '\0' && *in != ' ') *out++ = *in++;
    }
    *out++ = '\0';
    if (count < maxTokens) tokens[count] = start;
    ++count;
  }
  return count;
}
