#pragma once
// The header every screen starts with: the transaction date, the program's title and the time
// of day on row 2; the printer and the screen's name on row 3; the market on row 4; a line
// under rows 1 and 3 (drawn as underlined rows on the terminal). The main menu adds its status
// line on row 24 and the participant's ID and sender BIC on row 20.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::screens {

// The header's objects, kept so that they can be removed again.
class ScreenHeader {
 public:
  explicit ScreenHeader(term::Screen& screen) : screen_(screen) {}
  ~ScreenHeader() { Clear(); }
  ScreenHeader(const ScreenHeader&) = delete;
  ScreenHeader& operator=(const ScreenHeader&) = delete;

  // SCNHEAD_GUI: clears the window and draws the header from TRAN_DATE, SYSTEM, the printer
  // state (WinPtFont or PRINT_NAME), MSG and SYSTEM_KEY, in the colours cXpBgClr1/cXpFgClr1.
  // `now` is the time of day shown (empty: the clock's).
  void Draw(const VarStore& vars, std::optional<std::chrono::system_clock::time_point> now = {});
  // MENUHEAD: the header, then the status line Stat_Msg centred on row 24; on the main menu
  // (MSG "** MAIN  MENU **") also the participant's ID and the sender BIC on row 20.
  void DrawMenuHead(const VarStore& vars,
                    std::optional<std::chrono::system_clock::time_point> now = {});
  // CLR_GUIHEAD: removes every object of the header.
  void Clear();

 private:
  friend void RefreshHeaderPrinters(const VarStore& vars);
  term::Widget* Label(int row, int col, std::string text, bool underlined, const VarStore& vars,
                      bool market = false);

  term::Screen& screen_;
  std::vector<term::Widget*> objects_;
  term::Widget* printer_ = nullptr;  // the printer field, while drawn
};

// The printer the header names: "(Windows <font>)" when reports go to a Windows printer,
// else PRINT_NAME, with "!" behind it for a network printer (PRT_SERVER "Y").
std::string HeaderPrinterText(const VarStore& vars);
// The printer field of every header drawn now (the screen under a printer dialog called by a
// hot key too) takes the printer state of `vars`.
void RefreshHeaderPrinters(const VarStore& vars);
// "SAS Market", "SZMK Market" or "HK Market" by SYSTEM_KEY.
std::string MarketText(std::string_view system_key);

}  // namespace zur::screens
