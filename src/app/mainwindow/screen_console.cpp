#include "app/mainwindow/screen_console.h"

namespace zur::mainwindow {

void ScreenConsole::Line(std::string_view text) {
  screen_.console().NextLine(text);
  screen_.Refresh();
}

void ScreenConsole::Error(std::string_view text) {
  Line(text);
}

void ScreenConsole::Bell() {
  screen_.Bell();
}

void ScreenConsole::WaitKey(std::string_view prompt) {
  Line(prompt);
  screen_.console().WaitKey();
}

}  // namespace zur::mainwindow
