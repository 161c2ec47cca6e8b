#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/main_view.h"

// Records what handlers do to the main window, and lets tests set what the
// user did (row states, the select-all box, message box answers).
class FakeMainView : public MainView {
 public:
  struct Box {
    std::string Title;
    std::string Text;
    BoxIcon Icon;
    BoxButtons Buttons;
  };

  std::vector<std::string> Log;
  int Drains = 0;
  std::map<int, bool> Enabled;  // control number -> last enabled state set
  std::vector<std::string> Rows;
  std::vector<int> States;
  int SelectAll = 0;
  std::vector<Box> Boxes;
  BoxAnswer NextAnswer = BoxAnswer::Ok;
  // Every call in order, for tests that care how calls interleave.
  std::vector<std::string> Calls;

  void AppendLog(const std::string& line) override {
    Log.push_back(line);
    Calls.push_back("log:" + line);
  }
  void DrainEvents() override {
    ++Drains;
    Calls.push_back("drain");
  }
  void EnableControl(int number, bool enabled) override {
    Enabled[number] = enabled;
    Calls.push_back((enabled ? "enable:" : "disable:") + std::to_string(number));
  }
  void AddRow(const std::string& columns) override {
    Rows.push_back(columns);
    States.push_back(0);
  }
  int RowCount() override { return static_cast<int>(Rows.size()); }
  int GetRowState(int row) override { return States.at(row); }
  void SetRowState(int row, int state) override { States.at(row) = state; }
  int SelectAllState() override { return SelectAll; }
  BoxAnswer ShowMessage(const std::string& title, const std::string& text, BoxIcon icon,
                        BoxButtons buttons) override {
    Boxes.push_back({title, text, icon, buttons});
    Calls.push_back("box:" + title);
    return NextAnswer;
  }
};
