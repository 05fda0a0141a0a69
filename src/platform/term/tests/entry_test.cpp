#include <gtest/gtest.h>

#include "platform/term/edit_buffer.h"
#include "platform/term/entry_field.h"
#include "platform/term/picture.h"
#include "term_fixture.h"

namespace zur::term {
namespace {

TEST(EditBufferTest, WindowFollowsTheCaret) {
  EditBuffer b(10, false);
  for (char c : std::string("ABCDEFGHIJ")) ASSERT_TRUE(b.Type(std::string(1, c)));
  EXPECT_FALSE(b.Type("K"));      // full
  EXPECT_EQ(b.ScrollFor(5), 6u);  // "GHIJ" and the caret's cell
  b.Home();
  EXPECT_EQ(b.ScrollFor(5), 0u);
  b.End();
  EXPECT_EQ(b.ScrollFor(5), 6u);
  // A full buffer as wide as its window never scrolls.
  EditBuffer exact(4, false);
  exact.SetText("ABCD");
  exact.End();
  EXPECT_EQ(exact.ScrollFor(4), 0u);
}

TEST(EditBufferTest, Big5CharactersStayWhole) {
  EditBuffer b(4, false);
  b.SetText("A\xa4\xa4\xb0\xea");  // cut at 4 bytes: the second character would be split
  EXPECT_EQ(b.text(), "A\xa4\xa4");
  EXPECT_FALSE(b.Type("\xb0\xea\xb0\xea"));
  b.End();
  b.Backspace();  // removes the whole character
  EXPECT_EQ(b.text(), "A");
  b.SetText(
      "\xa4\xa4\xb0\xea"
      "AB");
  b.End();
  // The window never starts on a trail byte.
  const size_t first = b.ScrollFor(3);
  EXPECT_EQ(b.CharStart(first), first);
  EXPECT_GE(b.caret(), first);
  EXPECT_LT(b.caret(), first + 3);
}

TEST(EditBufferTest, FixedBufferOverwritesAndKeepsItsLength) {
  EditBuffer b(4, true);
  b.SetText("AB");
  EXPECT_EQ(b.text(), "AB  ");
  EXPECT_TRUE(b.Type("x"));
  EXPECT_EQ(b.text(), "xB  ");
  b.SetInsertMode(true);
  EXPECT_TRUE(b.Type("y"));
  EXPECT_EQ(b.text(), "xyB ");
  b.Delete();
  EXPECT_EQ(b.text(), "xy  ");
}

TEST(PictureTest, NumbersThroughTemplates) {
  EXPECT_EQ(Transform(150, "999"), "150");
  EXPECT_EQ(Transform(7, "999"), "  7");
  EXPECT_EQ(Transform(1000, "999"), "***");
  EXPECT_EQ(Transform(7, "9"), "7");
  EXPECT_EQ(Transform(12, "9"), "*");
  EXPECT_EQ(Transform(3.456, "99.99"), " 3.46");
  const Picture p = Picture::Parse("@!S40 99-X");
  EXPECT_TRUE(p.upper_all);
  EXPECT_EQ(p.window, 40);
  EXPECT_EQ(p.Accept(0, 'a'), std::nullopt);
  EXPECT_EQ(p.Accept(0, '5'), '5');
  EXPECT_TRUE(p.IsLiteral(2));
  EXPECT_EQ(p.Accept(3, 'q'), 'Q');
}

class EntryFieldTest : public TermTest {
 protected:
  EntryField* field = screen.Add<EntryField>(2, 10, 5, 8);
};

TEST_F(EntryFieldTest, FocusSelectsTheWholeTextSoTypingReplacesIt) {
  field->SetText("ABC");
  screen.SetFocus(field);
  backend.Type("X");
  Pump();
  EXPECT_EQ(field->text(), "X");
}

TEST_F(EntryFieldTest, FocusOnABlankFieldEmptiesIt) {
  field->SetText("   ");
  screen.SetFocus(field);
  backend.Type("ab");
  Pump();
  EXPECT_EQ(field->text(), "ab");
}

TEST_F(EntryFieldTest, WithoutTheRuleTypingGoesAtTheStart) {
  field->SetSelectAllOnFocus(false);
  field->SetText("ABC");
  screen.SetFocus(field);
  backend.Type("X");
  Pump();
  EXPECT_EQ(field->text(), "XABC");
}

TEST_F(EntryFieldTest, UpperCaseScrollingAndTheFullBuffer) {
  field->SetUpperCase(true);
  screen.SetFocus(field);
  backend.Type("abcdefghij");  // two more than the buffer holds
  Pump();
  EXPECT_EQ(field->text(), "ABCDEFGH");
  EXPECT_EQ(backend.bells(), 2);
  // Eight characters in five columns: the last ones are shown, the cursor on the last cell.
  EXPECT_EQ(GridRow(2).substr(10), "EFGH");
  EXPECT_EQ(backend.cursor().col, 14);
  backend.Press(KeyId::kHome);
  Pump();
  EXPECT_EQ(GridRow(2).substr(10), "ABCDE");
}

TEST_F(EntryFieldTest, ReadOnlyRefusesChanges) {
  field->SetText("KEEP");
  field->SetReadOnly(true);
  screen.SetFocus(field);
  backend.Type("x");
  backend.Press(KeyId::kBackspace);
  backend.Press(KeyId::kDelete);
  Pump();
  EXPECT_EQ(field->text(), "KEEP");
}

TEST_F(EntryFieldTest, PlaceholderOnlyWhileEmptyAndUnfocused) {
  field->SetPlaceholder("ATI_A");
  EXPECT_EQ(GridRow(2).substr(10), "ATI_A");
  EXPECT_EQ(backend.picture().at(3, 10).attr, screen.theme().placeholder);
  screen.SetFocus(field);
  EXPECT_EQ(GridRow(2), "");
}

TEST_F(EntryFieldTest, KeyHandlerComesFirstAndValidationIsTheProgramsCall) {
  std::vector<int> seen;
  field->on_key = [&](int code) {
    seen.push_back(code);
    return code == event::kTab;  // Tab is the handler's; other keys go on to the field
  };
  field->on_validate = [](EntryField& f) { return f.text() != "01"; };
  screen.SetFocus(field);
  backend.Type("01\t");
  Pump();
  EXPECT_EQ(seen, (std::vector<int>{'0', '1', event::kTab}));
  EXPECT_EQ(field->text(), "01");
  EXPECT_FALSE(field->Validate());
}

TEST_F(EntryFieldTest, AClickFocusesAndPlacesTheCaret) {
  field->SetText("ABCD");
  backend.Click(2 + kMenuBarRows, 12);
  backend.Type("x");
  Pump();
  EXPECT_EQ(screen.focus(), field);
  EXPECT_EQ(field->text(), "ABxCD");
}

TEST_F(EntryFieldTest, NumberThroughItsPicture) {
  EntryField* density = screen.Add<EntryField>(3, 10, 3, 3);
  density->SetNumber(125, "999");
  EXPECT_EQ(density->text(), "125");
  density->SetNumber(5, "9");
  EXPECT_EQ(density->text(), "5");
}

}  // namespace
}  // namespace zur::term
