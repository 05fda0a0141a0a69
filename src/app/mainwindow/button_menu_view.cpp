#include "app/mainwindow/button_menu_view.h"

#include "platform/term/event_codes.h"
#include "platform/term/message_box.h"
#include "platform/term/pixel_cells.h"
#include "platform/term/push_button.h"

namespace zur::mainwindow {
namespace {

namespace event = term::event;

// The virtual window the buttons are placed in (pixels).
constexpr int kAreaWidth = 881;
constexpr int kAreaHeight = 545;

class ButtonMenuView {
 public:
  ButtonMenuView(term::Screen& screen, menu::ButtonMenu menu)
      : screen_(screen), menu_(std::move(menu)) {}
  ~ButtonMenuView() {
    for (term::PushButton* b : buttons_) screen_.Destroy(b);
  }

  std::string Run(int default_choice) {
    for (size_t i = 0; i < menu_.buttons.size(); ++i) AddButton(i);
    if (term::PushButton* first = DefaultButton(default_choice)) screen_.SetFocus(first);
    while (choice_.empty()) {
      const term::Event e = screen_.NextEvent();
      if (e.code == event::kEsc) {
        if (menu_.allow_esc) return {};
        continue;
      }
      if (e.IsKey()) choice_ = menu::ChoiceOfKey(menu_, e.code);
      if (!choice_.empty()) break;
      screen_.Dispatch(e);
    }
    return choice_;
  }

 private:
  void AddButton(size_t i) {
    const menu::MenuButton& b = menu_.buttons[i];
    auto* button = screen_.Add<term::PushButton>(term::CellsOfPixels(b.x, b.y, b.width, b.height),
                                                 b.caption, false);
    const std::string key = b.caption.empty() ? std::string() : b.caption.substr(0, 1);
    button->on_activate = [this, key] { Choose(key); };
    button->on_key = [this, i, key](int code) { return OnButtonKey(i, code); };
    buttons_.push_back(button);
  }

  term::PushButton* DefaultButton(int default_choice) {
    const std::string key = std::to_string(default_choice);
    for (size_t i = 0; i < menu_.buttons.size(); ++i)
      if (menu_.buttons[i].key == key) return buttons_[i];
    const size_t at = default_choice >= 1 ? static_cast<size_t>(default_choice - 1) : 0;
    return at < buttons_.size() ? buttons_[at] : nullptr;
  }

  // A button's key is the choice when a button carries it.
  void Choose(const std::string& key) {
    for (const menu::MenuButton& b : menu_.buttons)
      if (b.key == key) choice_ = key;
  }

  bool OnButtonKey(size_t i, int code) {
    switch (code) {
      case event::kEnter:
        return false;  // the button's own activation follows
      case event::kEsc:
        if (menu_.allow_esc) screen_.Post(event::kEsc);
        return true;
      case event::kTab:
      case event::kDown:
        screen_.SetFocus(buttons_[(i + 1) % buttons_.size()]);
        return true;
      case event::kShiftTab:
      case event::kUp:
        screen_.SetFocus(buttons_[(i + buttons_.size() - 1) % buttons_.size()]);
        return true;
      default:
        if (event::IsKey(code)) choice_ = menu::ChoiceOfKey(menu_, code);
        return true;
    }
  }

  term::Screen& screen_;
  menu::ButtonMenu menu_;
  std::vector<term::PushButton*> buttons_;
  std::string choice_;
};

}  // namespace

std::string RunButtonMenu(term::Screen& screen, VarStore& vars, screens::ScreenHeader& header,
                          const std::vector<std::string>& lines, int default_choice) {
  if (lines.empty()) {
    term::MessageBox(screen, "no Menu define !!! ", "ZUR");
    return {};
  }
  menu::ButtonMenu menu = menu::ParseButtonMenu(lines, kAreaWidth, kAreaHeight);
  vars.Set("MSG", menu.name);
  header.DrawMenuHead(vars);
  ButtonMenuView view(screen, std::move(menu));
  return view.Run(default_choice);
}

}  // namespace zur::mainwindow
