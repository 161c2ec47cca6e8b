#include "ui/preferences_window.h"

#include <windows.h>
#include <shlobj.h>

#include "ui/control_numbers.h"
#include "ui/controls.h"
#include "ui/folder_chooser.h"
#include "ui/preferences_dialog.h"
#include "ui/toolkit.h"

namespace {

class PreferencesWindow : public PreferencesForm {
 public:
  bool Open() override {
    toolkit::WindowArgs window;
    window.Number = PreferencesWindowNumber;
    window.Title = "Preferences";
    window.InnerWidth = 474;
    window.InnerHeight = 343;
    window.Owner = MainWindowNumber;
    if (!toolkit::OpenWindow(window)) return false;
    toolkit::EnableWindow(MainWindowNumber, false);

    const HWND dialog = toolkit::Window(PreferencesWindowNumber);
    const HWND box = controls::RaisedContainer({PreferencesContainer, dialog, 11, 12, 452, 320, ""});
    controls::Frame({DefaultFolderFrame, box, 11, 16, 424, 62, "Default Folder"});
    controls::Text({PureBasicLabel, box, 16, 42, 64, 20, "PureBasic"}, true);
    controls::TextField({PureBasicFolderField, box, 85, 40, 307, 20, ""});
    controls::PushButton({ChooseFolderButton, box, 398, 40, 20, 20, "..."});
    controls::Frame({LanguageFrame, box, 11, 84, 424, 59, "Default Language (Library DOCs)"});
    controls::Text({LanguageLeadText, box, 21, 110, 143, 23, "Download and Install always"});
    controls::DropDownList({LanguageList, box, 168, 106, 105, 21, ""}, {"English", "Deutsch"});
    controls::Text({LanguageTrailText, box, 282, 110, 140, 23, "doc language. (if available)"});
    controls::Frame({DownloadsFrame, box, 11, 149, 424, 55, "Archive-Downloads"});
    controls::CheckBox({DeleteBackupsCheckBox, box, 23, 170, 406, 20,
                        "Remove downloaded update-archives from %AppDir%/Backups after installation."});
    controls::Frame({MethodFrame, box, 11, 210, 424, 55, "Download Method"});
    controls::CheckBox({UseApiCheckBox, box, 23, 231, 155, 20, "Use API to Download Data."});
    controls::PushButton({ApplyButton, box, 208, 278, 110, 25, "Apply"});
    controls::PushButton({CancelButton, box, 325, 278, 110, 25, "Cancel"});
    toolkit::ShowWindow(PreferencesWindowNumber);
    return true;
  }

  void Close() override {
    // The main window comes back first, so it takes the activation.
    toolkit::EnableWindow(MainWindowNumber, true);
    toolkit::CloseWindow(PreferencesWindowNumber);
  }

  WindowEvent WaitEvent() override {
    for (;;) {
      const WindowEvent event = toolkit::WaitEvent();
      // Only the dialog's own close box closes it.
      if (event.Kind == EventKind::CloseRequest && event.Window != PreferencesWindowNumber) {
        continue;
      }
      return event;
    }
  }

  void SetFolderField(const std::string& folder) override {
    SetWindowTextA(toolkit::Control(PureBasicFolderField), folder.c_str());
  }

  std::string FolderField() override { return TextOf(toolkit::Control(PureBasicFolderField)); }

  void SetChecked(int checkBox, bool checked) override {
    SendMessageA(toolkit::Control(checkBox), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  bool Checked(int checkBox) override {
    return SendMessageA(toolkit::Control(checkBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  void SelectLanguage(int item) override {
    SendMessageA(toolkit::Control(LanguageList), CB_SETCURSEL, item, 0);
  }

  std::string SelectedLanguage() override {
    const HWND list = toolkit::Control(LanguageList);
    const auto item = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR) return std::string();
    std::string text(static_cast<size_t>(SendMessageA(list, CB_GETLBTEXTLEN, item, 0)) + 1, '\0');
    const auto length = SendMessageA(list, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
  }

  std::string ChooseFolder(const std::string& title, const std::string& start) override {
    return ChooseFolderDialog(toolkit::Window(PreferencesWindowNumber), title, start);
  }

 private:
  static std::string TextOf(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
  }
};

}  // namespace

void ShowPreferences(AppState& state) {
  PreferencesWindow window;
  RunPreferences(state.Settings, window);
}
