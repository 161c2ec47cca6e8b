#pragma once

#include <string>

// The one narrow way the handlers reach the main window. The Win32 main
// window implements it; tests use a recording fake.

// Row state bits of the library list.
constexpr int RowSelected = 1;
constexpr int RowChecked = 2;

enum class BoxIcon { None, Error, Information };
enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

class MainView {
 public:
  virtual ~MainView() = default;

  // Adds a line below the log's text and scrolls it into view.
  virtual void AppendLog(const std::string& line) = 0;
  // Dispatches every pending window event and drops their codes.
  virtual void DrainEvents() = 0;
  virtual void EnableControl(int number, bool enabled) = 0;

  // Appends a row from one text whose column texts are separated by "\n".
  virtual void AddRow(const std::string& columns) = 0;
  virtual int RowCount() = 0;
  virtual int GetRowState(int row) = 0;
  virtual void SetRowState(int row, int state) = 0;

  // 1 when the select-all box is checked, else 0.
  virtual int SelectAllState() = 0;

  virtual BoxAnswer ShowMessage(const std::string& title, const std::string& text,
                                BoxIcon icon, BoxButtons buttons) = 0;
};
