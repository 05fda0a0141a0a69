// The keys of a form's fields (BUTTKEY4) and of its push buttons (BUTTKEY).
#include "platform/term/event_codes.h"
#include "screens/form.h"

namespace zur::screens {

namespace ev = term::event;

std::optional<size_t> Form::IndexOf(std::string_view placeholder) const {
  for (size_t i = 0; i < specs_.size(); ++i)
    if (specs_[i].var == placeholder) return i;
  return std::nullopt;
}

std::optional<size_t> Form::NextTabStop(size_t from) const {
  const size_t n = fields_.size();
  size_t j = from;
  for (size_t step = 0; step < n; ++step) {
    j = (j + 1) % n;
    if (fields_[j] != nullptr && fields_[j]->tab_stop()) return j;
  }
  return std::nullopt;
}

bool Form::FieldKey(int code, term::EntryField& field, const std::string& placeholder) {
  const std::optional<size_t> i = IndexOf(placeholder);
  // The next tab stop, or none (the field is not the form's, or no field takes the focus).
  constexpr size_t kNone = static_cast<size_t>(-1);
  const size_t next = i ? NextTabStop(*i).value_or(kNone) : kNone;
  const auto move_on = [&] {
    if (next != kNone) FocusField(next);
  };
  switch (code) {
    case ev::kEsc:
      screen_.Post(ev::kEsc, &field);
      return true;
    case ev::kPgDn:
      if (field.Validate()) end_.page_down = true;
      return true;
    case ev::kPgUp:
      if (field.Validate()) end_.page_up = true;
      return true;
    case ev::kEnter:
      if (field.Validate()) {
        if (i && *i + 1 == fields_.size())
          end_.page_down = true;
        else
          move_on();
      }
      return true;
    case ev::kShiftTab:
    case ev::kUp:
      field.Validate();
      return true;
    case ev::kTab:
    case ev::kDown:
      if (field.Validate()) move_on();
      return true;
    default:
      return false;
  }
}

void SetButtonKeys(term::Screen& screen, term::PushButton& button, term::PushButton* enter_target,
                   std::function<term::Widget*()> tab_target) {
  term::PushButton* target = enter_target != nullptr ? enter_target : &button;
  button.on_key = [&screen, target, tab = std::move(tab_target)](int code) {
    if (code == ev::kEnter) {
      target->Activate(screen);
      return true;
    }
    if (code == ev::kTab) {
      if (tab) screen.SetFocus(tab());
      return true;
    }
    return false;
  };
}

}  // namespace zur::screens
