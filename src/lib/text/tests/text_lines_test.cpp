#include "lib/text/text_lines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "lib/text/line_window.h"
#include "lib/text/tests/temp_file.h"

namespace zur::text {
namespace {

using ::testing::ElementsAre;

TEST(LineEndPos, EarliestOrFormFeedFirst) {
  EXPECT_EQ(LineEndPos("abc"), 0u);
  EXPECT_EQ(LineEndPos("ab\r\ncd\fe"), 3u);
  EXPECT_EQ(LineEndPos("ab\r\ncd\fe", LineEndRule::kFormFeedFirst), 7u);
  EXPECT_EQ(LineEndPos("a\fb\r\n"), 2u);
  EXPECT_EQ(LineEndPos("a\rb\n"), 0u);  // a lone CR or LF is no terminator
  EXPECT_EQ(LineEndPos("x\r\n", LineEndRule::kFormFeedFirst), 2u);
}

TEST(ReadTextLines, CrLfAndFormFeedTerminators) {
  // The form feed swallows the byte after it; a final line without a terminator is kept.
  testing::TempFile file("1ABC\r\n\fX2DEF\r\n\r\ntail");
  TextLines got = ReadTextLines(file.path());
  ASSERT_TRUE(got.ok()) << got.error;
  EXPECT_THAT(got.lines, ElementsAre("1ABC", "", "2DEF", "", "tail"));
}

TEST(ReadTextLines, LongLineIsCutIntoWindows) {
  std::string longline(kTextLineWindow + 10, 'x');
  testing::TempFile file(longline + "\r\nnext\r\n");
  TextLines got = ReadTextLines(file.path());
  ASSERT_EQ(got.lines.size(), 3u);
  EXPECT_EQ(got.lines[0], std::string(kTextLineWindow, 'x'));
  EXPECT_EQ(got.lines[1], std::string(10, 'x'));
  EXPECT_EQ(got.lines[2], "next");
}

TEST(ReadTextLines, CrLfSplitAcrossWindowsStaysInTheLines) {
  // CR is the last byte of the first window: that window is a line of its own with the CR,
  // and the LF begins the next line.
  std::string first(kTextLineWindow - 1, 'a');
  testing::TempFile file(first + "\r\nb\r\n");
  TextLines got = ReadTextLines(file.path());
  EXPECT_THAT(got.lines, ElementsAre(first + "\r", "\nb"));
}

TEST(ReadTextLines, EmptyAndMissingFiles) {
  testing::TempFile empty("");
  TextLines got = ReadTextLines(empty.path());
  EXPECT_TRUE(got.ok());
  EXPECT_TRUE(got.lines.empty());

  TextLines missing = ReadTextLines("/nonexistent/ASSTKMAP.TXT");
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.error.find("/nonexistent/ASSTKMAP.TXT"), std::string::npos);
  EXPECT_TRUE(missing.lines.empty());

  TextLines directory = ReadTextLines("/tmp");
  EXPECT_FALSE(directory.ok());
  EXPECT_NE(directory.error.find("/tmp"), std::string::npos);

  // A pipe without a writer would block a plain open: refused at once instead.
  std::string fifo = empty.path() + ".fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  TextLines pipe = ReadTextLines(fifo);
  ::unlink(fifo.c_str());
  EXPECT_FALSE(pipe.ok());
  EXPECT_NE(pipe.error.find(fifo), std::string::npos);
}

}  // namespace
}  // namespace zur::text
