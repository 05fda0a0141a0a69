#include <gtest/gtest.h>

#include "platform/term/get_read.h"
#include "platform/term/inkey_codes.h"
#include "platform/term/input_box.h"
#include "platform/term/light_bar_menu.h"
#include "term_fixture.h"

namespace zur::term {
namespace {

class ConsoleTest : public TermTest {
 protected:
  Console& con = screen.console();
};

TEST_F(ConsoleTest, TextInTheColoursOfTheSetting) {
  con.SetColour("W+/B,N/W");
  con.Say(3, 4, "Opening data files ...");
  EXPECT_EQ(GridRow(3), "    Opening data files ...");
  const Attr a = backend.picture().at(3 + kMenuBarRows, 4).attr;
  EXPECT_EQ(a.fg, Colour::kWhite);
  EXPECT_EQ(a.bg, Colour::kBlue);
  EXPECT_TRUE(a.bold);
  con.SetColour("W*/N");
  con.Say(4, 0, "WARNING: blinking");
  GridRow(4);
  EXPECT_TRUE(backend.picture().at(4 + kMenuBarRows, 0).attr.blink);
}

TEST_F(ConsoleTest, NextLineScrollsAtTheBottom) {
  con.Say(0, 0, "top");
  con.SetCursor(23, 0);
  con.NextLine("row 24");
  con.NextLine("below the last row");
  EXPECT_EQ(GridRow(24), "below the last row");
  EXPECT_EQ(GridRow(23), "row 24");
  EXPECT_EQ(GridRow(0), "");  // "top" scrolled away
  EXPECT_EQ(con.row(), 24);
}

TEST_F(ConsoleTest, SaveAndRestoreTheWholeScreenOrPartOfIt) {
  con.Say(5, 0, "keep me");
  con.Say(10, 0, "and me");
  const ScreenImage all = con.Save();
  const ScreenImage part = con.Save(Corners(10, 0, 10, 79));
  con.ClearAll();
  con.Say(5, 0, "changed");
  con.Restore(part);
  EXPECT_EQ(GridRow(5), "changed");
  EXPECT_EQ(GridRow(10), "and me");
  con.Restore(all);
  EXPECT_EQ(GridRow(5), "keep me");
  EXPECT_EQ(con.row(), 10);  // the cursor comes back with the screen
}

TEST_F(ConsoleTest, FramesAndLines) {
  con.Box(Corners(2, 1, 4, 6), kAsciiFrame, {});
  EXPECT_EQ(GridRow(2), " +----+");
  EXPECT_EQ(GridRow(3), " |    |");
  con.Box(Corners(6, 0, 8, 3), kPcFrame, {});
  EXPECT_EQ(GridRow(6), "\u250c\u2500\u2500\u2510");
  con.Line(20, 0, 2, {});
  EXPECT_EQ(GridRow(20), "\u2500\u2500\u2500");
  // The printable bytes of a frame are its stand-ins.
  EXPECT_EQ(con.cells().RowBytes(8).substr(0, 4), "+--+");
}

TEST_F(ConsoleTest, BellAndWaitForAKey) {
  con.Bell();
  EXPECT_EQ(backend.bells(), 1);
  EXPECT_EQ(con.InKey(0), 0);  // nothing typed: no wait
  backend.Press(KeyId::kPgDn);
  EXPECT_EQ(con.WaitKey(), inkey::kPgDn);
  EXPECT_EQ(screen.last_key(), inkey::kPgDn);
}

class LightBarTest : public ConsoleTest {
 protected:
  const std::vector<Prompt> commands = {
      {21, 12, " Amend ", ""},    {21, 19, " Search ", ""}, {21, 27, " Filter ", ""},
      {21, 35, " Previous ", ""}, {21, 45, " Next ", ""},   {21, 62, " Exit ", "leave"},
  };
};

TEST_F(LightBarTest, ArrowsLettersEnterAndEsc) {
  backend.Press(KeyId::kRight);
  backend.Press(KeyId::kRight);
  backend.Press(KeyId::kEnter);
  EXPECT_EQ(LightBarMenu(screen, commands, 1), 3);
  backend.Type("n");
  EXPECT_EQ(LightBarMenu(screen, commands, 1), 5);
  backend.Press(KeyId::kLeft);  // wraps from the first to the last
  backend.Press(KeyId::kPgDn);
  EXPECT_EQ(LightBarMenu(screen, commands, 1, 23), 6);
  EXPECT_EQ(GridRow(23), "leave");
  backend.Press(KeyId::kEsc);
  EXPECT_EQ(LightBarMenu(screen, commands, 4), 0);
  backend.Click(21 + kMenuBarRows, 30);
  EXPECT_EQ(LightBarMenu(screen, commands, 1), 3);
  GridRow(21);
  // The lit prompt is in the enhanced colour, the others in the standard one.
  EXPECT_EQ(backend.picture().at(21 + kMenuBarRows, 28).attr, con.colours().enhanced);
  EXPECT_EQ(backend.picture().at(21 + kMenuBarRows, 13).attr, con.colours().standard);
}

class GetReadTest : public ConsoleTest {
 protected:
  std::string account = "01      ";
  std::string name = "CHAN    ";
  std::vector<GetEntry> gets = {{12, 29, &account, "@!", nullptr}, {13, 29, &name, "@!", nullptr}};
};

TEST_F(GetReadTest, TypingOverwritesAndEnterMovesOnPastTheLast) {
  backend.Type("ab\r");
  backend.Type("x\r");
  const ReadResult r = ReadGets(screen, gets);
  EXPECT_EQ(account, "AB      ");
  EXPECT_EQ(name, "XHAN    ");
  EXPECT_TRUE(r.updated);
  EXPECT_EQ(r.exit_key, inkey::kEnter);
  EXPECT_EQ(GridRow(12).substr(29), "AB");
  EXPECT_EQ(backend.picture().at(12 + kMenuBarRows, 29).attr, con.colours().unselected);
  // With intensity off the entries are in the standard colour.
  con.SetIntensity(false);
  backend.Press(KeyId::kPgDn);
  ReadGets(screen, gets);
  GridRow(12);
  EXPECT_EQ(backend.picture().at(12 + kMenuBarRows, 29).attr, con.colours().standard);
}

TEST_F(GetReadTest, EscDropsTheActiveEntryOnly) {
  backend.Type("zz\r");
  backend.Type("q");
  backend.Press(KeyId::kEsc);
  const ReadResult r = ReadGets(screen, gets);
  EXPECT_EQ(account, "ZZ      ");
  EXPECT_EQ(name, "CHAN    ");
  EXPECT_EQ(r.exit_key, inkey::kEsc);
  EXPECT_EQ(GridRow(13).substr(29), "CHAN");
}

TEST_F(GetReadTest, AFailedCheckKeepsTheCursorAndPageDownEnds) {
  int checks = 0;
  gets[0].valid = [&](const std::string& text) {
    ++checks;
    return text.substr(0, 2) != "00";
  };
  backend.Type("00\r");  // refused
  backend.Press(KeyId::kHome);
  backend.Type("10");
  backend.Press(KeyId::kPgDn);
  const ReadResult r = ReadGets(screen, gets);
  EXPECT_EQ(checks, 2);
  EXPECT_EQ(account, "10      ");
  EXPECT_EQ(r.exit_key, inkey::kPgDn);
  EXPECT_GE(backend.bells(), 1);
}

TEST_F(GetReadTest, AOneLetterAnswerNeedsNoEnterAndTheTemplateRefuses) {
  std::string answer = "Y";
  std::string count = "   ";
  std::vector<GetEntry> one = {{23, 31, &answer, "!", nullptr}};
  backend.Type("n");
  ReadGets(screen, one);
  EXPECT_EQ(answer, "N");
  std::vector<GetEntry> number = {{5, 0, &count, "999", nullptr}};
  backend.Type("1x2\r");
  ReadGets(screen, number);
  EXPECT_EQ(count, "12 ");
  EXPECT_EQ(backend.bells(), 1);
}

TEST_F(GetReadTest, AScrollingWindowAndAHotKeyThatFillsTheEntry) {
  std::string path(60, ' ');
  std::vector<GetEntry> entry = {{7, 24, &path, "@S40", nullptr}};
  screen.hot_keys().Set(inkey::kAltI, [&] {
    EditBuffer* b = ActiveGetBuffer();
    ASSERT_NE(b, nullptr);
    if (auto typed = InputBox(screen, "Input Box", "", b->capacity())) b->SetText(*typed);
  });
  backend.Press(Key::Char('i', kAlt));
  backend.Type(std::string(45, 'D') + "\r");  // typed in the input box
  backend.Press(KeyId::kEnd);
  backend.Press(KeyId::kEnter);
  ReadGets(screen, entry);
  EXPECT_EQ(path, std::string(45, 'D') + std::string(15, ' '));
  EXPECT_EQ(ActiveGetBuffer(), nullptr);
  // Forty columns show the end of the text.
  EXPECT_EQ(GridRow(7).size(), 24u + 45u - 6u);
}

}  // namespace
}  // namespace zur::term
