#pragma once
// The application window on a terminal: the 25 x 80 grid (console output underneath, widgets
// on top), the menu bar on the row above it, the input focus, the application event queue,
// the keyboard buffer and the hot keys. Everything the program shows or reads goes through
// one Screen; modal dialogs draw over it as overlays while they read input themselves.
//
// A terminal smaller than kNeededColumns x kNeededRows shows a message instead of the
// program, and input waits until the terminal is large enough; Esc then throws QuitRequested.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/term/backend.h"
#include "platform/term/cell_grid.h"
#include "platform/term/console.h"
#include "platform/term/keyboard.h"
#include "platform/term/menu_bar.h"
#include "platform/term/theme.h"
#include "platform/term/widget.h"

namespace zur::term {

// The operator asked to leave while the terminal was too small to show the program.
class QuitRequested : public std::runtime_error {
 public:
  QuitRequested() : std::runtime_error("quit while the terminal was too small") {}
};

// Something drawn over the whole picture (terminal coordinates) while a modal dialog runs;
// it may place the cursor.
using Overlay = std::function<void(CellGrid& picture, Cursor& cursor)>;

class Screen {
 public:
  explicit Screen(Backend& backend, Theme theme = {});
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  Backend& backend() { return backend_; }
  const Theme& theme() const { return theme_; }
  Console& console() { return console_; }
  MenuBar& menu_bar() { return menu_bar_; }
  KeyboardBuffer& keyboard() { return keyboard_; }
  HotKeys& hot_keys() { return hot_keys_; }
  // Run after each hot key's routine: a screen showing what a hot key can change (the printer
  // of Alt+P) brings it up to date here. Empty when no screen asks for it.
  std::function<void()> after_hot_key;

  // Widgets: created in the window, drawn in the order of creation, owned by the screen.
  template <class W, class... Args>
  W* Add(Args&&... args) {
    auto widget = std::make_unique<W>(std::forward<Args>(args)...);
    W* raw = widget.get();
    widgets_.push_back(std::move(widget));
    return raw;
  }
  // Removes a widget; queued events aimed at it lose their target. Null is ignored.
  void Destroy(Widget* widget);
  bool Alive(const EventTarget* target) const;
  // The topmost visible widget at a grid position.
  Widget* WidgetAt(int row, int col) const;

  // Input focus (null: the window itself).
  Widget* focus() const { return focus_; }
  void SetFocus(Widget* widget);
  // The next (or previous) focusable tab stop after `from` in creation order, wrapping;
  // null when there is none.
  Widget* NextTabStop(const Widget* from, bool backwards = false) const;

  // The event queue. NextEvent shows the picture and waits: posted events first, then keys
  // from the keyboard buffer, then the terminal. Hot keys run their routine and are not
  // returned; F10 or a click on the menu bar opens the menu bar, and a chosen entry comes back
  // as a kMenuSelected event. Key events are aimed at the focused widget.
  Event NextEvent();
  void Post(const Event& event) { events_.push_back(event); }
  void Post(int code, EventTarget* target = nullptr, long mp1 = 0, long mp2 = 0) {
    Post(Event{code, mp1, mp2, target});
  }
  size_t pending_events() const { return events_.size(); }
  // Hands an event to its target (when it still exists).
  void Dispatch(const Event& event);

  // Keys for the console routines: the keyboard buffer, then the terminal, with hot keys
  // run; clicks are passed over. No key (KeyId::kNone) when `timeout_ms` ran out.
  Key ReadKey(int timeout_ms = -1);
  // The same, but a click comes back too (as a kClick input in grid coordinates: row 0 is
  // the top row of the grid, -1 the menu bar).
  std::optional<Input> ReadKeyOrClick(int timeout_ms = -1);
  // Input for modal dialogs: keyboard buffer, then terminal; no hot keys; clicks in terminal
  // coordinates.
  std::optional<Input> ReadInput(int timeout_ms = -1);
  // Every key waiting in the keyboard buffer and already typed, as inkey bytes.
  std::string TakeTypeAhead();
  // The inkey code of the last key read (by any of the above, or a key event taken from the
  // event queue); 0 before the first.
  int last_key() const { return last_key_; }
  void SetLastKey(int inkey_code) { last_key_ = inkey_code; }

  // Drawing.
  void Refresh();
  void Bell() { backend_.Bell(); }
  // Modal dialogs push their drawing while they run; the handle removes it.
  class OverlayHandle {
   public:
    OverlayHandle(Screen& screen, Overlay overlay);
    ~OverlayHandle();
    OverlayHandle(const OverlayHandle&) = delete;
    OverlayHandle& operator=(const OverlayHandle&) = delete;

   private:
    Screen& screen_;
  };
  // The picture as it was last shown.
  const CellGrid& picture() const { return picture_; }
  bool too_small() const;

  // Hands the terminal to another program (the command shell) and takes it back.
  void Suspend();
  void Resume();

  // A routine that takes the whole window over from a hot key (the printer selection, the
  // developer console) draws on the console underneath the widgets of the screen it was
  // called from: while it lives, those widgets are hidden and the focus is put aside (the
  // widget is not told), and afterwards they come back as they were. Widgets made meanwhile
  // are the routine's own.
  class WidgetsAside {
   public:
    explicit WidgetsAside(Screen& screen);
    ~WidgetsAside();
    WidgetsAside(const WidgetsAside&) = delete;
    WidgetsAside& operator=(const WidgetsAside&) = delete;

   private:
    Screen& screen_;
    std::vector<Widget*> hidden_;
    Widget* focus_;
  };

 private:
  void Compose(CellGrid& picture, Cursor& cursor) const;
  bool IsMenuKey(const Key& key) const;
  std::optional<Event> OpenMenuBar(int start_menu);
  std::optional<Input> ReadTerminal(int timeout_ms);
  void RememberKey(const Key& key);
  // Runs the hot key's routine, then after_hot_key; false when `key` is no hot key.
  bool RunHotKey(const Key& key);

  Backend& backend_;
  Theme theme_;
  Console console_;
  MenuBar menu_bar_;
  KeyboardBuffer keyboard_;
  HotKeys hot_keys_;
  std::vector<std::unique_ptr<Widget>> widgets_;
  Widget* focus_ = nullptr;
  std::deque<Event> events_;
  std::vector<Overlay> overlays_;
  CellGrid picture_;
  Cursor cursor_;
  bool presented_ = false;
  int last_key_ = 0;
};

}  // namespace zur::term
