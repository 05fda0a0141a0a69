#pragma once
// A push button, with or without a border, that may be disabled. Enter and Space on the
// focused button and a click activate it (unless its key handler took the key): a kActivate
// event aimed at the button is posted, and handling that event runs on_activate.

#include <functional>
#include <string>

#include "platform/term/widget.h"

namespace zur::term {

class PushButton : public Widget {
 public:
  PushButton(Rect area, std::string caption, bool border = true);

  const std::string& caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  bool border() const { return border_; }

  std::function<void()> on_activate;
  // Posts the activate event, as a click does.
  void Activate(Screen& screen);

  void Draw(CellGrid& canvas, bool focused, const Theme& theme) const override;

 protected:
  void OnKey(Screen& screen, const Key& key) override;
  void OnClick(Screen& screen, int row, int col) override;
  void OnEvent(Screen& screen, const Event& event) override;

 private:
  std::string caption_;
  bool border_;
};

}  // namespace zur::term
