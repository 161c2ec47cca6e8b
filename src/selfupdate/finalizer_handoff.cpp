#include "selfupdate/finalizer_handoff.h"

#include "app/folder_text.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/system.h"

std::string FinalizerArguments(const std::string& appDir, const std::string& executableName) {
  return "\"/FinalizeUpdate\" \"" + appDir + "Backups\\Tessary.exe\" \"" + appDir +
         executableName + "\"";
}

void RunUpdateFinalizer(const AppState& state) {
  const std::string arguments = FinalizerArguments(state.Paths.AppDir, FilePart(ExecutablePath()));
  const std::string finalizer = state.Paths.TempDir + "UpdateFinalizer.exe";
  std::string image;
  if (LoadEmbeddedResource(FinalizerImageResource, image)) {
    FileStream file = FileStream::CreateAlways(finalizer, FileSharing::None);
    if (file.IsOpen()) file.Write(image.data(), static_cast<int64_t>(image.size()));
  }
  // Started even when the file could not be written: an older finalizer at
  // that path still does the job.
  StartProgram("\"" + finalizer + "\" " + arguments, state.Paths.TempDir);
}
