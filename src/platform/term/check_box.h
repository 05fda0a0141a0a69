#pragma once
// A check box: "[X] caption". Space on the focused box and a click toggle it and post a
// kSelected event (mp1 1 when checked) aimed at it, whose handling runs on_selected.

#include <functional>
#include <string>

#include "platform/term/widget.h"

namespace zur::term {

class CheckBox : public Widget {
 public:
  CheckBox(int row, int col, std::string caption, bool checked = false);

  bool checked() const { return checked_; }
  void SetChecked(bool on) { checked_ = on; }
  // Changes the state and posts the selection event.
  void Toggle(Screen& screen);

  std::function<void(bool checked)> on_selected;

  void Draw(CellGrid& canvas, bool focused, const Theme& theme) const override;
  std::optional<Cursor> FocusCursor() const override;

 protected:
  void OnKey(Screen& screen, const Key& key) override;
  void OnClick(Screen& screen, int row, int col) override;
  void OnEvent(Screen& screen, const Event& event) override;

 private:
  std::string caption_;
  bool checked_;
};

}  // namespace zur::term
