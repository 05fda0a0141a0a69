#include "print/codes/pause_prompt.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace zur::print {
namespace {

class FakeScreen : public PromptScreen {
 public:
  int cursor = 5;
  std::deque<int> keys;
  std::vector<std::string> calls;

  int CursorRow() const override { return cursor; }
  void ScrollUp() override { calls.push_back("scroll"); }
  void ClearRow(int row) override { calls.push_back("clear " + std::to_string(row)); }
  void Say(int row, int col, std::string_view text, bool intense) override {
    calls.push_back(std::to_string(row) + "," + std::to_string(col) + (intense ? " bright " : " ") +
                    std::string(text));
  }
  int ReadKey() override {
    const int k = keys.front();
    keys.pop_front();
    return k;
  }
};

TEST(PausePrompt, WithoutAMessageAnyKeyGoesOn) {
  FakeScreen screen;
  screen.keys = {'q'};
  const PauseAnswer a = Pause(screen, std::nullopt);
  EXPECT_FALSE(a.esc_exit);  // only the prompt with a message can be left
  EXPECT_EQ(screen.calls, std::vector<std::string>{"5,0 Press any key to continue..."});
}

TEST(PausePrompt, MessageRowAnswerAndTheWaysOut) {
  FakeScreen screen;
  screen.keys = {'y', 'e', kEscapeKey, '0', 'q'};
  PauseAnswer a = Pause(screen, std::string("Printer ready (Y/N) ?"));
  EXPECT_EQ(a.key, 'Y');
  EXPECT_FALSE(a.esc_exit);
  EXPECT_EQ(screen.calls,
            (std::vector<std::string>{"clear 22", "22,0 bright Printer ready (Y/N) ?"}));
  EXPECT_TRUE(Pause(screen, std::string("x")).esc_exit);
  EXPECT_TRUE(Pause(screen, std::string("x")).esc_exit);
  EXPECT_TRUE(Pause(screen, std::string("x")).esc_exit);

  // Below the message row the screen scrolls and the prompt goes one row down; an empty
  // message is the standard one.
  screen.calls.clear();
  screen.cursor = 24;
  a = Pause(screen, std::string());
  EXPECT_TRUE(a.esc_exit);  // "q"
  EXPECT_EQ(screen.calls,
            (std::vector<std::string>{"scroll", "clear 23",
                                      "23,0 bright ** Press any key to Continue : "}));
}

}  // namespace
}  // namespace zur::print
