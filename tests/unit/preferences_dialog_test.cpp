#include "ui/preferences_dialog.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "ui/control_numbers.h"

namespace {

// The dialog's controls as plain values; the test says what the user does.
class FakeForm : public PreferencesForm {
 public:
  struct Step {
    int control;  // 0: the close box
    std::string typedFolder = "\x01";  // set field 14 before this step unless "\x01"
    int language = -1;                  // select this item before the step
    int toggle = 0;                     // toggle this check box before the step
  };
  std::deque<Step> steps;
  std::string chosenFolder;  // what the folder chooser answers
  std::string chooserStart;

  bool open = false;
  std::string folder;
  std::map<int, bool> checked;
  int language = -1;
  std::vector<std::string> calls;

  bool Open() override {
    open = true;
    calls.push_back("open");
    return true;
  }
  void Close() override {
    open = false;
    calls.push_back("close");
  }
  WindowEvent WaitEvent() override {
    const Step step = steps.front();
    steps.pop_front();
    if (step.typedFolder != "\x01") folder = step.typedFolder;
    if (step.language >= 0) language = step.language;
    if (step.toggle != 0) checked[step.toggle] = !checked[step.toggle];
    if (step.control == 0) return {EventKind::CloseRequest, 0, PreferencesWindowNumber};
    return {EventKind::Control, step.control, PreferencesWindowNumber};
  }
  void SetFolderField(const std::string& text) override { folder = text; }
  std::string FolderField() override { return folder; }
  void SetChecked(int box, bool on) override { checked[box] = on; }
  bool Checked(int box) override { return checked[box]; }
  void SelectLanguage(int item) override { language = item; }
  std::string SelectedLanguage() override {
    return language == 0 ? "English" : language == 1 ? "Deutsch" : "";
  }
  std::string ChooseFolder(const std::string& title, const std::string& start) override {
    calls.push_back("choose " + title);
    chooserStart = start;
    return chosenFolder;
  }
};

UserSettings Stored() {
  UserSettings settings;
  settings.PureBasicFolder = "C:\\PureBasic\\";
  settings.DefaultDocLanguage = "English";
  settings.FirstStart = 0;
  settings.DeleteBackups = 2;
  settings.UseAPI = 0;
  return settings;
}

}  // namespace

TEST(PreferencesDialog, ShowsTheSettings) {
  const struct {
    const char* language;
    int item;
  } cases[] = {{"English", 0}, {"ENGLISH", 0}, {"eNgLiSh", 0}, {"Deutsch", 1},
               {"Fran\xE7" "ais", 1}, {"", 1}, {"English ", 1}};
  for (const auto& c : cases) {
    UserSettings settings = Stored();
    settings.DefaultDocLanguage = c.language;
    FakeForm form;
    form.steps = {{CancelButton}};
    RunPreferences(settings, form);
    EXPECT_EQ(form.language, c.item) << c.language;
    EXPECT_EQ(form.folder, "C:\\PureBasic\\");
    EXPECT_TRUE(form.checked[DeleteBackupsCheckBox]) << "2 shows as checked";
    EXPECT_FALSE(form.checked[UseApiCheckBox]);
    EXPECT_EQ(form.calls, (std::vector<std::string>{"open", "close"}));
  }
}

TEST(PreferencesDialog, ApplyStoresTheFourControls) {
  const struct {
    const char* name;
    FakeForm::Step apply;
    const char* folder;
    const char* language;
    int deleteBackups, useApi;
  } cases[] = {
      {"unchanged", {ApplyButton}, "C:\\PureBasic\\", "English", 1, 0},
      {"emptied folder", {ApplyButton, ""}, "\\", "English", 1, 0},
      {"typed without backslash", {ApplyButton, "D:\\Pure Basic"}, "D:\\Pure Basic\\", "English", 1, 0},
      {"Deutsch and both boxes", {ApplyButton, "\x01", 1, DeleteBackupsCheckBox}, "C:\\PureBasic\\",
       "Deutsch", 0, 0},
      {"API on", {ApplyButton, "\x01", -1, UseApiCheckBox}, "C:\\PureBasic\\", "English", 1, 1},
  };
  for (const auto& c : cases) {
    UserSettings settings = Stored();
    FakeForm form;
    form.steps = {c.apply};
    RunPreferences(settings, form);
    EXPECT_EQ(settings.PureBasicFolder, c.folder) << c.name;
    EXPECT_EQ(settings.DefaultDocLanguage, c.language) << c.name;
    EXPECT_EQ(settings.DeleteBackups, c.deleteBackups) << c.name;
    EXPECT_EQ(settings.UseAPI, c.useApi) << c.name;
    EXPECT_EQ(settings.FirstStart, 0) << c.name;
  }

  UserSettings other = Stored();
  other.DefaultDocLanguage = "Fran\xE7" "ais";
  FakeForm form;
  form.steps = {{ApplyButton}};
  RunPreferences(other, form);
  EXPECT_EQ(other.DefaultDocLanguage, "Deutsch") << "an unknown language shows as, and stores, Deutsch";
}

TEST(PreferencesDialog, CancelAndTheCloseBoxReadNothingButAPickedFolderStays) {
  for (const int way : {static_cast<int>(CancelButton), 0}) {
    UserSettings settings = Stored();
    FakeForm form;
    form.chosenFolder = "E:\\Picked\\";
    form.steps = {{ChooseFolderButton, "C:\\Typed"},
                  {LanguageList, "\x01", 1, DeleteBackupsCheckBox},
                  {way, "F:\\Typed later", -1, UseApiCheckBox}};
    RunPreferences(settings, form);
    EXPECT_EQ(form.chooserStart, "C:\\Typed") << "the chooser starts at the field's folder";
    EXPECT_EQ(settings.PureBasicFolder, "E:\\Picked\\");
    EXPECT_EQ(settings.DefaultDocLanguage, "English");
    EXPECT_EQ(settings.DeleteBackups, 2);
    EXPECT_EQ(settings.UseAPI, 0);
    EXPECT_EQ(form.calls.back(), "close");
  }

  UserSettings settings = Stored();
  FakeForm form;
  form.steps = {{ChooseFolderButton}, {ApplyButton}};  // the chooser is cancelled
  RunPreferences(settings, form);
  EXPECT_EQ(settings.PureBasicFolder, "C:\\PureBasic\\");
  EXPECT_EQ(form.folder, "C:\\PureBasic\\");
}
