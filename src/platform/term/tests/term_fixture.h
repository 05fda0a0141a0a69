#pragma once
// A screen on the headless back end, and the loop that hands events to their targets until
// the scripted input is used up.

#include <gtest/gtest.h>

#include <string>

#include "platform/term/headless_backend.h"
#include "platform/term/screen.h"

namespace zur::term {

class TermTest : public ::testing::Test {
 protected:
  HeadlessBackend backend;
  Screen screen{backend};

  // A grid row as shown (UTF-8, trailing blanks removed).
  std::string GridRow(int row) {
    screen.Refresh();
    return backend.Row(row + kMenuBarRows);
  }
  // Takes and dispatches events until the script is empty.
  void Pump() {
    try {
      for (;;) screen.Dispatch(screen.NextEvent());
    } catch (const InputExhausted&) {
    }
  }
};

}  // namespace zur::term
