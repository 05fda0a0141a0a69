#pragma once
// The light-bar menu of the console routines: prompts written at their rows and columns, the
// current one in the enhanced colour. Arrows move (wrapping), Home and End go to the ends,
// Enter, Page Up and Page Down choose, a letter or digit chooses the first prompt that begins
// with it, a click chooses a prompt, Esc gives 0.

#include <string>
#include <vector>

namespace zur::term {

class Screen;

struct Prompt {
  int row = 0;
  int col = 0;
  std::string text;
  std::string message;  // shown on the message row while the prompt is lit
};

// The number of the chosen prompt (from 1), or 0 for Esc. `initial` is lit first (1 when out
// of range); `message_row` is where prompt messages go (-1: none).
int LightBarMenu(Screen& screen, const std::vector<Prompt>& prompts, int initial,
                 int message_row = -1);

}  // namespace zur::term
