// UpdateFinalizer.exe: replaces the tool's executable with the new one once
// the tool has ended. Started as
//   "<own path>" "/FinalizeUpdate" "<new executable>" "<executable to replace>"
// Anything else ends it at once, silently. Always exit code 0.
#include <windows.h>

#include <cstring>

#include "selfupdate/finalizer/command_line.h"

namespace {

constexpr char Title[] = "Orvik's Brimlet";

int Finalize() {
  const char* line = GetCommandLineA();
  char* buffer = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, lstrlenA(line) + 1));
  if (buffer == nullptr) return 0;
  const char* tokens[5] = {};
  const int count = SplitCommandLine(line, buffer, tokens, 5);
  // The first token is the program itself; exactly three parameters follow.
  if (count != 4 || std::strcmp(tokens[1], "/FinalizeUpdate") != 0) return 0;
  const char* source = tokens[2];
  const char* destination = tokens[3];

  // The tool ends right after starting this; give it a moment to be gone.
  Sleep(1500);
  if (CopyFileA(source, destination, FALSE)) {
    DeleteFileA(source);
    MessageBoxA(nullptr,
                "update process successfully complete!\nPlease restart the application now to use "
                "the new version.",
                Title, MB_OK | MB_ICONINFORMATION);
  } else {
    MessageBoxA(nullptr, "An ERROR has occurred - cannot update tool!", Title,
                MB_OK | MB_ICONERROR);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Finalize();
  return 0;
}
