#include "platform/process.h"

bool StartProgram(const std::string&, const std::string&) { return false; }

bool LoadEmbeddedResource(int, std::string&) { return false; }
