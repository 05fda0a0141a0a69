#include "segac/prompts.h"

#include <vector>

#include "platform/term/get_read.h"
#include "platform/term/light_bar_menu.h"
#include "screens/exit_key.h"

namespace zur::segac {

void SayWait(term::Screen& screen) {
  term::Console& console = screen.console();
  console.ClearRows(23, 23);
  console.Say(23, 0, "Please Wait ...");
  screen.Refresh();
}

std::string AskLetter(term::Screen& screen, VarStore& vars, int row, std::string_view prompt,
                      char preset) {
  term::Console& console = screen.console();
  console.Say(row, 0, prompt);
  std::string answer(1, preset);
  std::vector<term::GetEntry> entries{
      {row, static_cast<int>(prompt.size()) + 1, &answer, "@!", {}}};
  term::ReadGets(screen, entries);
  if (screens::ExitKey(screen, vars)) return "";
  return answer;
}

char AskYn(term::Screen& screen, VarStore& vars, bool yes) {
  term::Console& console = screen.console();
  const int row = console.row();
  const int col = console.col();
  console.Box(term::Corners(row - 1, col, row + 1, col + 10), FrameOf(vars),
              console.colours().standard);
  const int chosen = term::LightBarMenu(
      screen, {{row, col + 1, " No ", ""}, {row, col + 5, " Yes ", ""}}, yes ? 2 : 1);
  vars.Set("ESC_EXIT", chosen == 0);
  return chosen == 2 ? 'Y' : 'N';
}

std::string FrameOf(const VarStore& vars) {
  const Value* frame = vars.Find("FRAME");
  if (frame != nullptr && frame->IsChar() && frame->str().size() == 8) return frame->str();
  return std::string(term::kAsciiFrame);
}

}  // namespace zur::segac
