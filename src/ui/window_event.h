#pragma once

// What the window toolkit hands to an event loop. Every window message that
// reaches a loop becomes one of these four kinds.
enum class EventKind {
  Control,       // a control was used; Number is its control number
  Menu,          // a menu item was chosen; Number is the item number
  CloseRequest,  // the close box or the system menu's Close
  Other,         // painting, mouse movement and everything else
};

struct WindowEvent {
  EventKind Kind = EventKind::Other;
  int Number = 0;  // control or menu item number, 0 for the other kinds
  int Window = 0;  // number of the window the event belongs to
};
