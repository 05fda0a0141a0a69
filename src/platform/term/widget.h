#pragma once
// The objects of the application window and the events aimed at them. Every event has a
// code, two parameters and a target; the target's HandleEvent does what the object does with
// it by itself (an entry field inserts a typed character, a button runs its activation), after
// the object's key handler, when it has one, had the first word on keys.

#include <functional>
#include <optional>
#include <string>

#include "platform/term/backend.h"
#include "platform/term/cell_grid.h"
#include "platform/term/event_codes.h"
#include "platform/term/geometry.h"
#include "platform/term/theme.h"

namespace zur::term {

class Screen;
class EventTarget;

struct Event {
  int code = 0;
  long mp1 = 0;
  long mp2 = 0;
  EventTarget* target = nullptr;

  bool IsKey() const { return event::IsKey(code) && code != 0; }
  Key key() const { return event::ToKey(code); }
};

class EventTarget {
 public:
  virtual ~EventTarget() = default;
  virtual void HandleEvent(Screen& screen, const Event& event) = 0;
};

class Widget : public EventTarget {
 public:
  explicit Widget(Rect area) : area_(area) {}

  const Rect& area() const { return area_; }
  void Move(Rect area) { area_ = area; }
  bool visible() const { return visible_; }
  void SetVisible(bool on) { visible_ = on; }
  bool enabled() const { return enabled_; }
  void SetEnabled(bool on) { enabled_ = on; }
  bool tab_stop() const { return tab_stop_; }
  void SetTabStop(bool on) { tab_stop_ = on; }
  // Whether the widget can take the input focus at all.
  virtual bool Focusable() const { return visible_ && enabled_; }

  // Key events reach `on_key` first, with their event code; it returns true when it dealt
  // with the key, and then the widget does nothing more with it.
  std::function<bool(int code)> on_key;
  // Called when the widget has gained and has lost the input focus.
  std::function<void()> on_focus;
  std::function<void()> on_blur;

  void HandleEvent(Screen& screen, const Event& event) override;

  // Drawing: the widget paints its area of `canvas` (grid coordinates).
  virtual void Draw(CellGrid& canvas, bool focused, const Theme& theme) const = 0;
  // Where the cursor stands while the widget has the focus (grid coordinates).
  virtual std::optional<Cursor> FocusCursor() const { return std::nullopt; }

  // What the screen tells the widget before its handlers run.
  virtual void GainedFocus() {}
  virtual void LostFocus() {}

 protected:
  virtual void OnKey(Screen&, const Key&) {}
  virtual void OnClick(Screen&, int /*row*/, int /*col*/) {}
  virtual void OnEvent(Screen&, const Event&) {}

 private:
  Rect area_;
  bool visible_ = true;
  bool enabled_ = true;
  bool tab_stop_ = true;
};

}  // namespace zur::term
