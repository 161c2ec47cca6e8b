#pragma once

#include <windows.h>

#include <string>

#include "ui/window_event.h"

// A thin layer over Win32 that addresses windows and controls by number, as
// the layout tables do, and turns window messages into the four event kinds.
namespace toolkit {

struct WindowArgs {
  int Number = 0;
  std::string Title;
  int InnerWidth = 0;
  int InnerHeight = 0;
  bool MinimizeBox = false;
  // Number of the owner window, or -1. With an owner the window is centred
  // over it, else on the screen.
  int Owner = -1;
};

// Opens a fixed-size captioned window with the system menu, still hidden so
// that its menu and controls can be put in first; false when the window could
// not be created.
bool OpenWindow(const WindowArgs& args);
void ShowWindow(int number);
void CloseWindow(int number);
HWND Window(int number);
void EnableWindow(int number, bool enabled);

struct ControlArgs {
  int Number = 0;
  HWND Parent = nullptr;  // a window or a container control
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  std::string Text;
};

// Creates a child control of the given class and records it by number.
HWND CreateControl(const char* className, const ControlArgs& args, DWORD style,
                   DWORD exStyle = 0);
HWND Control(int number);
// Window class of a container panel that passes its children's events on.
const char* ContainerClassName();
void EnableControl(int number, bool enabled);

// Blocks until the next window event.
WindowEvent WaitEvent();
// Takes the next pending window event without waiting; false when none is.
bool PollEvent(WindowEvent& event);
// Dispatches every pending window message without waiting and drops the
// events they produce.
void DrainEvents();

}  // namespace toolkit
