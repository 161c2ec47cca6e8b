#include "ui/toolkit.h"

#include <commctrl.h>

#include <algorithm>
#include <deque>
#include <map>

namespace toolkit {
namespace {

constexpr char WindowClass[] = "TessaryWindow";
constexpr char ContainerClass[] = "TessaryContainer";

std::map<int, HWND> windows;
std::map<int, HWND> controls;
std::deque<WindowEvent> pending;
HFONT font = nullptr;

int WindowNumberOf(HWND hwnd) {
  const HWND root = hwnd != nullptr ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  for (const auto& [number, window] : windows) {
    if (window == root) return number;
  }
  return -1;
}

// The notifications by which a control says it was used; focus changes and
// the like are no control events.
bool IsUseNotification(WORD code) {
  return code == BN_CLICKED || code == BN_DOUBLECLICKED || code == CBN_SELCHANGE ||
         code == EN_CHANGE;
}

void RecordCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const int window = WindowNumberOf(hwnd);
  if (lParam != 0) {
    if (IsUseNotification(HIWORD(wParam))) {
      pending.push_back({EventKind::Control, LOWORD(wParam), window});
    }
  } else if (HIWORD(wParam) == 0) {
    pending.push_back({EventKind::Menu, LOWORD(wParam), window});
  }
}

LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      RecordCommand(hwnd, wParam, lParam);
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == NM_CLICK || header->code == NM_DBLCLK) {
        pending.push_back({EventKind::Control, static_cast<int>(header->idFrom),
                           WindowNumberOf(hwnd)});
      }
      break;
    }
    case WM_CLOSE:
      // Closing is the loop's decision, never the window's own.
      pending.push_back({EventKind::CloseRequest, 0, WindowNumberOf(hwnd)});
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ToolkitProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const size_t eventsBefore = pending.size();
  const LRESULT result = HandleMessage(hwnd, message, wParam, lParam);
  // An event that arises while another thread's sent message is handled does
  // so inside the wait for a posted message; a posted wake-up ends that wait.
  if (pending.size() != eventsBefore && InSendMessage()) PostMessageA(hwnd, WM_NULL, 0, 0);
  return result;
}

bool RegisterClasses() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ToolkitProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(1));
  windowClass.hIconSm = windowClass.hIcon;
  windowClass.lpszClassName = WindowClass;
  if (RegisterClassExA(&windowClass) == 0) return false;
  windowClass.hIcon = nullptr;
  windowClass.hIconSm = nullptr;
  windowClass.lpszClassName = ContainerClass;
  if (RegisterClassExA(&windowClass) == 0) return false;
  registered = true;
  return true;
}

HFONT DialogFont() {
  if (font == nullptr) {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      font = CreateFontIndirectA(&metrics.lfMessageFont);
    }
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  return font;
}

}  // namespace

const char* ContainerClassName() { return ContainerClass; }

bool OpenWindow(const WindowArgs& args) {
  if (!RegisterClasses()) return false;
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  if (args.MinimizeBox) style |= WS_MINIMIZEBOX;
  RECT frame = {0, 0, args.InnerWidth, args.InnerHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int outerWidth = frame.right - frame.left;
  const int outerHeight = frame.bottom - frame.top;

  int x = 0;
  int y = 0;
  const HWND owner = args.Owner >= 0 ? Window(args.Owner) : nullptr;
  RECT ownerRect;
  if (owner != nullptr && GetWindowRect(owner, &ownerRect)) {
    x = std::max(0L, ownerRect.left + ((ownerRect.right - ownerRect.left) - outerWidth) / 2);
    y = std::max(0L, ownerRect.top + ((ownerRect.bottom - ownerRect.top) - outerHeight) / 2);
  } else {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    x = (screenWidth - std::min(outerWidth, screenWidth)) / 2;
    y = (screenHeight - std::min(outerHeight, screenHeight)) / 2;
  }

  const HWND hwnd = CreateWindowExA(0, WindowClass, args.Title.c_str(), style, x, y, outerWidth,
                                    outerHeight, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (hwnd == nullptr) return false;
  windows[args.Number] = hwnd;
  return true;
}

void ShowWindow(int number) {
  if (const HWND hwnd = Window(number)) {
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
  }
}

void CloseWindow(int number) {
  const auto found = windows.find(number);
  if (found == windows.end()) return;
  const HWND hwnd = found->second;
  for (auto it = controls.begin(); it != controls.end();) {
    if (GetAncestor(it->second, GA_ROOT) == hwnd) {
      it = controls.erase(it);
    } else {
      ++it;
    }
  }
  DestroyWindow(hwnd);
  windows.erase(found);
  pending.erase(std::remove_if(pending.begin(), pending.end(),
                               [number](const WindowEvent& event) { return event.Window == number; }),
                pending.end());
}

HWND Window(int number) {
  const auto found = windows.find(number);
  return found == windows.end() ? nullptr : found->second;
}

void EnableWindow(int number, bool enabled) {
  if (const HWND hwnd = Window(number)) ::EnableWindow(hwnd, enabled ? TRUE : FALSE);
}

HWND CreateControl(const char* className, const ControlArgs& args, DWORD style, DWORD exStyle) {
  const HWND hwnd = CreateWindowExA(
      exStyle, className, args.Text.c_str(), WS_CHILD | WS_VISIBLE | style, args.X, args.Y,
      args.Width, args.Height, args.Parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.Number)), GetModuleHandleA(nullptr),
      nullptr);
  if (hwnd == nullptr) return nullptr;
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  controls[args.Number] = hwnd;
  return hwnd;
}

HWND Control(int number) {
  const auto found = controls.find(number);
  return found == controls.end() ? nullptr : found->second;
}

void EnableControl(int number, bool enabled) {
  if (const HWND hwnd = Control(number)) ::EnableWindow(hwnd, enabled ? TRUE : FALSE);
}

namespace {

// One taken message, dispatched, as an event: the first one it recorded, or
// Other when it recorded none.
WindowEvent Dispatch(const MSG& msg) {
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  if (pending.empty()) return {EventKind::Other, 0, WindowNumberOf(msg.hwnd)};
  const WindowEvent event = pending.front();
  pending.pop_front();
  return event;
}

bool TakeRecorded(WindowEvent& event) {
  if (pending.empty()) return false;
  event = pending.front();
  pending.pop_front();
  return true;
}

}  // namespace

WindowEvent WaitEvent() {
  WindowEvent event;
  if (TakeRecorded(event)) return event;
  MSG msg;
  if (GetMessageA(&msg, nullptr, 0, 0) <= 0) return {EventKind::CloseRequest, 0, 0};
  return Dispatch(msg);
}

bool PollEvent(WindowEvent& event) {
  if (TakeRecorded(event)) return true;
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    // Left for a wait that can end on it.
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  event = Dispatch(msg);
  return true;
}

void DrainEvents() {
  WindowEvent dropped;
  while (PollEvent(dropped)) {
  }
}

}  // namespace toolkit
