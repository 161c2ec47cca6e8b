#pragma once

#include <string>

// Starts a program from its whole command line (the program's path first),
// in the given working folder, with a normal window, passing no handles and
// not waiting for it. False when it could not be started.
bool StartProgram(const std::string& commandLine, const std::string& workingFolder);

// The bytes of a resource that the build put into the running executable;
// false when there is none.
bool LoadEmbeddedResource(int id, std::string& bytes);
