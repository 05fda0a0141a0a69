#include "platform/term/screen.h"

#include <algorithm>

#include "platform/term/inkey_codes.h"
#include "platform/term/menu_session.h"
#include "platform/term/too_small.h"

namespace zur::term {

Screen::Screen(Backend& backend, Theme theme) : backend_(backend), theme_(theme), console_(*this) {}

Screen::~Screen() = default;

void Screen::Destroy(Widget* widget) {
  if (widget == nullptr) return;
  for (Event& e : events_)
    if (e.target == widget) e.target = nullptr;
  if (focus_ == widget) focus_ = nullptr;
  std::erase_if(widgets_, [widget](const auto& w) { return w.get() == widget; });
}

bool Screen::Alive(const EventTarget* target) const {
  if (target == nullptr) return false;
  for (const auto& w : widgets_)
    if (w.get() == target) return true;
  return menu_bar_.Holds(target);
}

Widget* Screen::WidgetAt(int row, int col) const {
  for (auto it = widgets_.rbegin(); it != widgets_.rend(); ++it)
    if ((*it)->visible() && (*it)->area().Contains(row, col)) return it->get();
  return nullptr;
}

void Screen::SetFocus(Widget* widget) {
  if (widget == focus_) return;
  if (widget != nullptr && !widget->Focusable()) return;
  Widget* old = focus_;
  focus_ = widget;
  if (old != nullptr) {
    old->LostFocus();
    if (old->on_blur) old->on_blur();
  }
  if (widget != nullptr) {
    widget->GainedFocus();
    if (widget->on_focus) widget->on_focus();
  }
}

Widget* Screen::NextTabStop(const Widget* from, bool backwards) const {
  const int n = static_cast<int>(widgets_.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (widgets_[static_cast<size_t>(i)].get() == from) start = i;
  if (start < 0) start = backwards ? 0 : n - 1;
  for (int step = 1; step <= n; ++step) {
    const int i = ((start + (backwards ? -step : step)) % n + n) % n;
    Widget* w = widgets_[static_cast<size_t>(i)].get();
    if (w->tab_stop() && w->Focusable()) return w;
  }
  return nullptr;
}

bool Screen::IsMenuKey(const Key& key) const {
  return key.Is(KeyId::kF10) && menu_bar_.enabled() && !menu_bar_.empty();
}

std::optional<Event> Screen::OpenMenuBar(int start_menu) {
  return RunMenuBar(*this, start_menu);
}

void Screen::RememberKey(const Key& key) {
  const int code = inkey::FromKey(key);
  if (code != inkey::kNoKey) last_key_ = code;
}

Event Screen::NextEvent() {
  for (;;) {
    if (!events_.empty()) {
      Event e = events_.front();
      events_.pop_front();
      if (e.IsKey()) RememberKey(e.key());
      return e;
    }
    const std::optional<Input> input = ReadInput(-1);
    if (!input) continue;
    if (input->kind == Input::kClick) {
      if (input->row < kMenuBarRows) {
        if (!menu_bar_.enabled()) continue;
        const int title = menu_bar_.TitleAt(input->col);
        if (title < 0) continue;
        if (auto chosen = OpenMenuBar(title)) return *chosen;
        continue;
      }
      const int row = input->row - kMenuBarRows;
      return Event{event::kMouseClick, input->col, row, WidgetAt(row, input->col)};
    }
    if (input->kind != Input::kKey) continue;
    const Key& key = input->key;
    if (RunHotKey(key)) continue;
    if (IsMenuKey(key)) {
      if (auto chosen = OpenMenuBar(0)) return *chosen;
      continue;
    }
    RememberKey(key);
    return Event{event::FromKey(key), 0, 0, focus_};
  }
}

void Screen::Dispatch(const Event& event) {
  if (Alive(event.target)) event.target->HandleEvent(*this, event);
}

bool Screen::RunHotKey(const Key& key) {
  if (!hot_keys_.Run(key)) return false;
  if (after_hot_key) after_hot_key();
  return true;
}

std::optional<Input> Screen::ReadKeyOrClick(int timeout_ms) {
  for (;;) {
    std::optional<Input> input = ReadInput(timeout_ms);
    if (!input) return std::nullopt;
    if (input->kind == Input::kClick) {
      input->row -= kMenuBarRows;
      return input;
    }
    if (input->kind != Input::kKey) continue;
    if (RunHotKey(input->key)) continue;
    RememberKey(input->key);
    return input;
  }
}

Key Screen::ReadKey(int timeout_ms) {
  for (;;) {
    std::optional<Input> input = ReadKeyOrClick(timeout_ms);
    if (!input) return {};
    if (input->kind == Input::kKey) return input->key;
  }
}

std::optional<Input> Screen::ReadInput(int timeout_ms) {
  if (!keyboard_.empty()) return Input::OfKey(keyboard_.Pop());
  return ReadTerminal(timeout_ms);
}

std::optional<Input> Screen::ReadTerminal(int timeout_ms) {
  for (;;) {
    Refresh();
    std::optional<Input> input = backend_.Read(timeout_ms);
    if (!input) return std::nullopt;
    if (input->kind == Input::kResize) {
      presented_ = false;  // draw everything again at the new size
      continue;
    }
    if (!too_small()) return input;
    if (input->kind == Input::kKey && input->key.Is(KeyId::kEsc)) throw QuitRequested();
  }
}

std::string Screen::TakeTypeAhead() {
  std::string out;
  const auto append = [&out](const Key& key) {
    const int code = inkey::FromKey(key);
    if (code > 0xff) {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xff));
    } else if (code > 0) {
      out.push_back(static_cast<char>(code));
    }
  };
  while (!keyboard_.empty()) append(keyboard_.Pop());
  while (auto input = backend_.Read(0))
    if (input->kind == Input::kKey) append(input->key);
  return out;
}

bool Screen::too_small() const {
  const Size size = backend_.GetSize();
  return size.columns < kNeededColumns || size.rows < kNeededRows;
}

void Screen::Compose(CellGrid& picture, Cursor& cursor) const {
  const Size size = backend_.GetSize();
  picture = CellGrid(std::max(size.rows, 0), std::max(size.columns, 0));
  if (too_small()) {
    DrawTooSmall(picture, size);
  } else {
    CellGrid grid = console_.cells();
    for (const auto& w : widgets_)
      if (w->visible()) w->Draw(grid, w.get() == focus_, theme_);
    menu_bar_.Draw(picture, theme_);
    picture.Blit(grid, kMenuBarRows, 0);
    cursor = console_.cursor();
    if (focus_ != nullptr)
      if (auto c = focus_->FocusCursor()) cursor = *c;
    cursor.row += kMenuBarRows;
    for (const Overlay& overlay : overlays_) overlay(picture, cursor);
  }
}

void Screen::Refresh() {
  CellGrid picture;
  Cursor cursor;
  Compose(picture, cursor);
  if (presented_ && picture == picture_ && cursor == cursor_) return;
  picture_ = std::move(picture);
  cursor_ = cursor;
  backend_.Present(picture_, cursor_);
  presented_ = true;
}

Screen::OverlayHandle::OverlayHandle(Screen& screen, Overlay overlay) : screen_(screen) {
  screen_.overlays_.push_back(std::move(overlay));
}

Screen::OverlayHandle::~OverlayHandle() {
  screen_.overlays_.pop_back();
}

void Screen::Suspend() {
  backend_.Suspend();
}

void Screen::Resume() {
  backend_.Resume();
  presented_ = false;
  Refresh();
}

Screen::WidgetsAside::WidgetsAside(Screen& screen) : screen_(screen), focus_(screen.focus_) {
  for (const auto& w : screen_.widgets_) {
    if (!w->visible()) continue;
    w->SetVisible(false);
    hidden_.push_back(w.get());
  }
  screen_.focus_ = nullptr;
}

Screen::WidgetsAside::~WidgetsAside() {
  for (Widget* w : hidden_)
    if (screen_.Alive(w)) w->SetVisible(true);
  if (screen_.focus_ == nullptr && screen_.Alive(focus_)) screen_.focus_ = focus_;
}

}  // namespace zur::term
