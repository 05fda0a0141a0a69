#include "platform/term/menu_session.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/term/screen.h"

namespace zur::term {
namespace {

// One open pull-down.
struct Level {
  Menu* menu = nullptr;
  Rect box;  // terminal coordinates, frame included
  int current = -1;
};

int InnerWidth(const Menu& menu) {
  int width = 8;
  for (const MenuItem& item : menu.items())
    width = std::max(width, static_cast<int>(item.caption.size()) + 4);
  return width;
}

Rect PlaceBox(const Menu& menu, int top, int left, const Size& size) {
  Rect box{top, left, static_cast<int>(menu.size()) + 2, InnerWidth(menu) + 2};
  if (box.row + box.rows > size.rows) box.row = std::max(size.rows - box.rows, 1);
  if (box.col + box.cols > size.columns) box.col = std::max(size.columns - box.cols, 0);
  return box;
}

int Step(const Menu& menu, int from, int direction) {
  const int n = static_cast<int>(menu.size());
  for (int i = 1; i <= n; ++i) {
    const int j = ((from + direction * i) % n + n) % n;
    if (menu.items()[static_cast<size_t>(j)].Selectable()) return j;
  }
  return -1;
}

int FirstSelectable(const Menu& menu) {
  return Step(menu, -1, 1);
}

char FirstLetter(const std::string& caption) {
  for (char c : caption)
    if (c != ' ') return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return 0;
}

void DrawLevel(CellGrid& picture, const Level& level, const Theme& theme) {
  const Rect& b = level.box;
  picture.Fill(b, theme.menu);
  picture.PutGlyph(b.row, b.col, Glyph::kTopLeft, theme.menu);
  picture.PutGlyph(b.row, b.col + 1, Glyph::kHorizontal, theme.menu, b.cols - 2);
  picture.PutGlyph(b.row, b.right(), Glyph::kTopRight, theme.menu);
  picture.PutGlyph(b.bottom(), b.col, Glyph::kBottomLeft, theme.menu);
  picture.PutGlyph(b.bottom(), b.col + 1, Glyph::kHorizontal, theme.menu, b.cols - 2);
  picture.PutGlyph(b.bottom(), b.right(), Glyph::kBottomRight, theme.menu);
  const auto& items = level.menu->items();
  for (size_t i = 0; i < items.size(); ++i) {
    const int row = b.row + 1 + static_cast<int>(i);
    const MenuItem& item = items[i];
    if (item.separator) {
      picture.PutGlyph(row, b.col, Glyph::kTeeLeft, theme.menu);
      picture.PutGlyph(row, b.col + 1, Glyph::kHorizontal, theme.menu, b.cols - 2);
      picture.PutGlyph(row, b.right(), Glyph::kTeeRight, theme.menu);
      continue;
    }
    picture.PutGlyph(row, b.col, Glyph::kVertical, theme.menu);
    picture.PutGlyph(row, b.right(), Glyph::kVertical, theme.menu);
    const Attr attr = static_cast<int>(i) == level.current ? theme.menu_highlight
                      : item.enabled                       ? theme.menu
                                                           : theme.menu_disabled;
    picture.Fill(Rect{row, b.col + 1, 1, b.cols - 2}, attr);
    picture.Put(row, b.col + 2, item.caption.substr(0, static_cast<size_t>(b.cols - 5)), attr);
    if (item.submenu) picture.Put(row, b.right() - 2, ">", attr);
  }
}

class MenuSession {
 public:
  MenuSession(Screen& screen, int start) : screen_(screen) { OpenTitle(start); }

  std::optional<Event> Run() {
    Screen::OverlayHandle overlay(screen_, [this](CellGrid& picture, Cursor& cursor) {
      screen_.menu_bar().Draw(picture, screen_.theme(), title_);
      for (const Level& level : levels_) DrawLevel(picture, level, screen_.theme());
      cursor.visible = false;
    });
    while (!done_) {
      const std::optional<Input> input = screen_.ReadInput(-1);
      if (!input) continue;
      if (input->kind == Input::kKey) OnKey(input->key);
      if (input->kind == Input::kClick) OnClick(input->row, input->col);
    }
    return chosen_;
  }

 private:
  const std::vector<std::unique_ptr<Menu>>& titles() const { return screen_.menu_bar().menus(); }

  void OpenTitle(int index) {
    const int n = static_cast<int>(titles().size());
    title_ = (index % n + n) % n;
    Menu& menu = *titles()[static_cast<size_t>(title_)];
    levels_.clear();
    const Rect box =
        PlaceBox(menu, 1, screen_.menu_bar().TitleColumn(static_cast<size_t>(title_)) - 1,
                 screen_.backend().GetSize());
    levels_.push_back(Level{&menu, box, FirstSelectable(menu)});
  }

  void OpenSubmenu() {
    Level& level = levels_.back();
    const MenuItem& item = level.menu->items()[static_cast<size_t>(level.current)];
    Menu& sub = *item.submenu;
    const Size size = screen_.backend().GetSize();
    Rect box = PlaceBox(sub, level.box.row + level.current, level.box.right() + 1, size);
    if (level.box.right() + 1 + box.cols > size.columns)
      box.col = std::max(level.box.col - box.cols, 0);
    levels_.push_back(Level{&sub, box, FirstSelectable(sub)});
  }

  void Choose(Level& level, int index) {
    const MenuItem& item = level.menu->items()[static_cast<size_t>(index)];
    if (!item.Selectable()) return;
    level.current = index;
    if (item.submenu) {
      OpenSubmenu();
      return;
    }
    chosen_ = Event{event::kMenuSelected, index + 1, 0, level.menu};
    done_ = true;
  }

  void OnKey(const Key& key) {
    Level& level = levels_.back();
    const bool top = levels_.size() == 1;
    switch (key.id) {
      case KeyId::kUp:
        if (level.current >= 0) level.current = Step(*level.menu, level.current, -1);
        return;
      case KeyId::kDown:
        level.current = Step(*level.menu, level.current, 1);
        return;
      case KeyId::kHome:
        level.current = FirstSelectable(*level.menu);
        return;
      case KeyId::kEnd:
        level.current = Step(*level.menu, 0, -1);
        return;
      case KeyId::kLeft:
        if (top)
          OpenTitle(title_ - 1);
        else
          levels_.pop_back();
        return;
      case KeyId::kRight:
        if (level.current >= 0 && level.menu->items()[static_cast<size_t>(level.current)].submenu)
          OpenSubmenu();
        else
          OpenTitle(title_ + 1);
        return;
      case KeyId::kEnter:
        if (level.current >= 0) Choose(level, level.current);
        return;
      case KeyId::kEsc:
        if (top)
          done_ = true;
        else
          levels_.pop_back();
        return;
      case KeyId::kF10:
        done_ = true;
        return;
      case KeyId::kChar:
        if (key.IsText()) ChooseByLetter(level, key.text[0]);
        return;
      default:
        return;
    }
  }

  void ChooseByLetter(Level& level, char c) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto& items = level.menu->items();
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].Selectable() && FirstLetter(items[i].caption) == letter) {
        Choose(level, static_cast<int>(i));
        return;
      }
    }
  }

  void OnClick(int row, int col) {
    if (row == 0) {
      const int index = screen_.menu_bar().TitleAt(col);
      if (index < 0 || index == title_)
        done_ = true;
      else
        OpenTitle(index);
      return;
    }
    for (size_t depth = levels_.size(); depth-- > 0;) {
      const Rect& box = levels_[depth].box;
      if (!box.Contains(row, col)) continue;
      levels_.resize(depth + 1);
      const int index = row - box.row - 1;
      if (index >= 0 && index < static_cast<int>(levels_[depth].menu->size()))
        Choose(levels_[depth], index);
      return;
    }
    done_ = true;  // a click beside the menus closes them
  }

  Screen& screen_;
  std::vector<Level> levels_;
  int title_ = 0;
  bool done_ = false;
  std::optional<Event> chosen_;
};

}  // namespace

std::optional<Event> RunMenuBar(Screen& screen, int start_menu) {
  if (screen.menu_bar().empty()) return std::nullopt;
  return MenuSession(screen, start_menu).Run();
}

}  // namespace zur::term
