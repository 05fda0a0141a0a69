#include "platform/term/curses_backend.h"

#include <curses.h>

#include <langinfo.h>
#include <termios.h>
#include <unistd.h>
#include <clocale>
#include <cstring>
#include <cwchar>

#include "platform/big5/big5_text.h"
#include "platform/term/curses_keys.h"
#include "platform/term/display_text.h"
#include "platform/term/key_decoder.h"
#include "platform/term/terminal_restore.h"

namespace zur::term {
namespace {

// How long the rest of an escape sequence may take to arrive.
constexpr int kSequenceMs = 30;
constexpr const char* kMouseOff = "\x1b[?1000l\x1b[?1002l\x1b[?1006l";

// Wide output needs a UTF-8 character type; only LC_CTYPE is touched, so number formatting
// stays as it was.
void UseUtf8Characters() {
  if (std::setlocale(LC_CTYPE, "") != nullptr && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0)
    return;
  if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) std::setlocale(LC_CTYPE, "");
}

std::string Capability(const char* name) {
  const char* s = tigetstr(const_cast<char*>(name));
  if (s == nullptr || s == reinterpret_cast<const char*>(-1)) return {};
  return s;
}

std::string Utf8Of(wchar_t wc) {
  char buf[MB_LEN_MAX];
  std::mbstate_t state{};
  const size_t n = std::wcrtomb(buf, wc, &state);
  return n == static_cast<size_t>(-1) ? std::string() : std::string(buf, n);
}

}  // namespace

struct CursesBackend::Impl {
  SCREEN* screen = nullptr;
  int colours = 8;
  std::map<std::pair<int, int>, short> pairs;
  CellGrid shown;
  bool redraw_all = true;
  std::string pending;  // bytes of the terminal not decoded yet

  attr_t AttrOf(const Attr& a, short& pair) {
    const auto colour = [this](Colour c, bool& bright) -> int {
      if (c == Colour::kDefault) return -1;
      const int n = static_cast<int>(c);
      if (n < 8 || colours >= 16) return n;
      bright = true;
      return n - 8;
    };
    bool bright_fg = false, bright_bg = false;
    const int fg = colour(a.fg, bright_fg);
    const int bg = colour(a.bg, bright_bg);
    pair = 0;
    if (fg != -1 || bg != -1) {
      auto it = pairs.find({fg, bg});
      if (it != pairs.end()) {
        pair = it->second;
      } else if (static_cast<int>(pairs.size()) + 1 < COLOR_PAIRS) {
        pair = static_cast<short>(pairs.size() + 1);
        init_pair(pair, static_cast<short>(fg), static_cast<short>(bg));
        pairs[{fg, bg}] = pair;
      }
    }
    attr_t attr = A_NORMAL;
    if (a.bold || bright_fg) attr |= A_BOLD;
    if (a.blink) attr |= A_BLINK;
    if (a.reverse) attr |= A_REVERSE;
    if (a.underline) attr |= A_UNDERLINE;
    if (a.dim) attr |= A_DIM;
    return attr;
  }

  void DrawRow(const CellGrid& picture, int row) {
    move(row, 0);
    for (int col = 0; col < picture.columns(); ++col) {
      const Cell& cell = picture.at(row, col);
      if (cell.part == Cell::kTrail) continue;
      short pair = 0;
      const attr_t attr = AttrOf(cell.attr, pair);
      attr_set(attr, pair, nullptr);
      const std::string_view text = CellText(picture, row, col);
      mvaddnstr(row, col, text.data(), static_cast<int>(text.size()));
    }
  }

  std::optional<Input> DecodePending(bool complete) {
    const DecodedKey d = DecodeKey(pending, complete);
    if (d.used == 0) return std::nullopt;
    pending.erase(0, d.used);
    if (!d.key.valid()) return Input{};  // a kKey input without a key: skipped by the caller
    return Input::OfKey(d.key);
  }
};

CursesBackend::CursesBackend() : impl_(std::make_unique<Impl>()) {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
    throw std::runtime_error("standard input and output are not a terminal");
  termios saved;
  tcgetattr(STDIN_FILENO, &saved);
  UseUtf8Characters();
  impl_->screen = newterm(nullptr, stdout, stdin);
  if (impl_->screen == nullptr)
    throw std::runtime_error("this terminal type is not known to curses");
  set_term(impl_->screen);
  cbreak();
  noecho();
  nonl();
  intrflush(stdscr, FALSE);
  keypad(stdscr, TRUE);
  meta(stdscr, TRUE);
  set_escdelay(kSequenceMs);
  // Ctrl+S and Ctrl+Q are keys, not flow control.
  termios modes;
  if (tcgetattr(STDIN_FILENO, &modes) == 0) {
    modes.c_iflag &= static_cast<tcflag_t>(~IXON);
    tcsetattr(STDIN_FILENO, TCSANOW, &modes);
    def_prog_mode();
  }
  if (has_colors()) {
    start_color();
    use_default_colors();
    impl_->colours = COLORS;
  }
  mousemask(BUTTON1_PRESSED | BUTTON1_CLICKED, nullptr);
  mouseinterval(0);
  curs_set(0);
  const std::string reset = Capability("rmcup") + Capability("sgr0") + Capability("cnorm") +
                            Capability("rmkx") + kMouseOff + "\r\n";
  InstallTerminalRestore(STDIN_FILENO, saved, reset);
}

CursesBackend::~CursesBackend() {
  mousemask(0, nullptr);
  curs_set(1);
  endwin();
  delscreen(impl_->screen);
  RemoveTerminalRestore();
}

Size CursesBackend::GetSize() const {
  int rows = 0, cols = 0;
  getmaxyx(stdscr, rows, cols);
  return Size{cols, rows};
}

void CursesBackend::Present(const CellGrid& picture, const Cursor& cursor) {
  Impl& d = *impl_;
  const bool full =
      d.redraw_all || d.shown.rows() != picture.rows() || d.shown.columns() != picture.columns();
  if (full) clearok(curscr, TRUE);
  for (int row = 0; row < picture.rows(); ++row) {
    bool changed = full;
    for (int col = 0; !changed && col < picture.columns(); ++col)
      changed = !(picture.at(row, col) == d.shown.at(row, col));
    if (changed) d.DrawRow(picture, row);
  }
  attr_set(A_NORMAL, 0, nullptr);
  d.shown = picture;
  d.redraw_all = false;
  const bool inside = cursor.row >= 0 && cursor.row < picture.rows() && cursor.col >= 0 &&
                      cursor.col < picture.columns();
  curs_set(cursor.visible && inside ? 1 : 0);
  if (inside) move(cursor.row, cursor.col);
  refresh();
}

std::optional<Input> CursesBackend::Read(int timeout_ms) {
  Impl& d = *impl_;
  for (;;) {
    if (!d.pending.empty()) {
      // The rest of a sequence is already on its way: give it a moment.
      std::optional<Input> decoded = d.DecodePending(false);
      if (!decoded) {
        timeout(kSequenceMs);
        wint_t ch = 0;
        const int r = get_wch(&ch);
        if (r == OK && ch < 0x80) {
          d.pending.push_back(static_cast<char>(ch));
          continue;
        }
        if (r == OK) d.pending += Utf8Of(static_cast<wchar_t>(ch));
        decoded = d.DecodePending(true);
        if (r == KEY_CODE_YES) ungetch(static_cast<int>(ch));
      }
      if (decoded && decoded->key.valid()) return decoded;
      continue;
    }
    timeout(timeout_ms < 0 ? -1 : timeout_ms);
    wint_t ch = 0;
    const int r = get_wch(&ch);
    if (r == ERR) return std::nullopt;
    if (r == KEY_CODE_YES) {
      if (ch == KEY_RESIZE) return Input::Resize();
      if (ch == KEY_MOUSE) {
        MEVENT m;
        if (getmouse(&m) == OK && (m.bstate & (BUTTON1_PRESSED | BUTTON1_CLICKED)) != 0)
          return Input::Click(m.y, m.x);
        continue;
      }
      const Key key = KeyOfCursesCode(static_cast<int>(ch), keyname(static_cast<int>(ch)));
      if (key.valid()) return Input::OfKey(key);
      continue;
    }
    if (ch < 0x80) {
      d.pending.push_back(static_cast<char>(ch));
    } else {
      d.pending += Utf8Of(static_cast<wchar_t>(ch));
    }
  }
}

void CursesBackend::Bell() {
  beep();
}

void CursesBackend::Suspend() {
  def_prog_mode();
  mousemask(0, nullptr);
  endwin();
  SetTerminalLent(true);
}

void CursesBackend::Resume() {
  SetTerminalLent(false);
  reset_prog_mode();
  mousemask(BUTTON1_PRESSED | BUTTON1_CLICKED, nullptr);
  impl_->redraw_all = true;
}

}  // namespace zur::term
