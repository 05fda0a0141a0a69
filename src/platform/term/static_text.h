#pragma once
// A static text: a label at a grid position in its own colours.

#include <string>

#include "platform/term/widget.h"

namespace zur::term {

class StaticText : public Widget {
 public:
  // The label takes the width of its text unless `width` is given.
  StaticText(int row, int col, std::string text, Attr attr = {}, int width = -1);

  const std::string& text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }
  const Attr& attr() const { return attr_; }
  void SetAttr(const Attr& attr) { attr_ = attr; }

  bool Focusable() const override { return false; }
  void Draw(CellGrid& canvas, bool focused, const Theme& theme) const override;

 private:
  std::string text_;
  Attr attr_;
};

}  // namespace zur::term
