#pragma once

#include <string>

#include "ui/main_view.h"

// Window 0: the menu bar, the three buttons and the panel with the library
// list, the select-all box and the log.
class MainWindow : public MainView {
 public:
  // 1 when the window was built, 0 when it could not be opened.
  int Open(const std::string& toolVersion);
  void Close();

  void AppendLog(const std::string& line) override;
  void DrainEvents() override;
  void EnableControl(int number, bool enabled) override;
  void AddRow(const std::string& columns) override;
  int RowCount() override;
  int GetRowState(int row) override;
  void SetRowState(int row, int state) override;
  int SelectAllState() override;
  BoxAnswer ShowMessage(const std::string& title, const std::string& text, BoxIcon icon,
                        BoxButtons buttons) override;
};
