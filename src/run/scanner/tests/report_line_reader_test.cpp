#include "run/scanner/report_line_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>

#include "lib/text/tests/temp_file.h"
#include "run/scanner/tests/reference_line_reader.h"

namespace zur::scanner {
namespace {

using testing::AllLines;
using testing::PlainLine;
using testing::ReferenceLineReader;
using text::testing::TempFile;

std::unique_ptr<ReportLineReader> OpenOrDie(const std::string& path,
                                            size_t buffer = kReportBuffer) {
  OpenError error;
  auto reader = ReportLineReader::Open(path, &error, kReportWindow, buffer);
  EXPECT_TRUE(reader) << error.message;
  return reader;
}

// Bytes drawn mostly from the terminators, so that windows hold several of them, none, or a
// CR and an LF that do not pair up.
std::string Soup(std::mt19937& rng, size_t size, int terminator_percent) {
  static constexpr char kTerminators[] = {'\f', '\r', '\n', '\r'};
  static constexpr char kOthers[] = {'a', ' ', ':', '\0', '-', '\xff'};
  std::uniform_int_distribution<int> percent(0, 99);
  std::string s(size, ' ');
  for (char& c : s) {
    c = percent(rng) < terminator_percent ? kTerminators[rng() % sizeof kTerminators]
                                          : kOthers[rng() % sizeof kOthers];
  }
  return s;
}

TEST(ReportLineReaderTest, BufferedLinesEqualPlainWindowReads) {
  std::mt19937 rng(20261208);
  const LineEndRule rules[] = {LineEndRule::kEarliest, LineEndRule::kFormFeedFirst};
  const size_t buffers[] = {kReportWindow, kReportWindow + 1, 300, 1024, kReportBuffer};
  for (int round = 0; round < 300; ++round) {
    size_t size = rng() % 4000;
    int density = round % 3 == 0 ? 0 : static_cast<int>(rng() % 40) + 1;
    TempFile file(Soup(rng, size, density));
    for (LineEndRule rule : rules) {
      ReferenceLineReader plain(file.path());
      std::vector<PlainLine> want = plain.All(rule);
      size_t buffer = buffers[round % std::size(buffers)];
      auto reader = OpenOrDie(file.path(), buffer);
      ASSERT_EQ(AllLines(*reader, rule), want) << "round " << round << " buffer " << buffer;
      EXPECT_TRUE(reader->error().empty());

      // Seeking anywhere, also backwards and past the end, reads as a plain read there.
      for (int seek = 0; seek < 5; ++seek) {
        uint64_t at = rng() % (size + 300);
        plain.Seek(at);
        reader->Seek(at);
        ASSERT_EQ(AllLines(*reader, rule, 20), plain.All(rule, 20)) << "at " << at;
      }
    }
  }
}

TEST(ReportLineReaderTest, TerminatorRules) {
  // A CR LF before a form feed: the page pass takes the form feed, the readers the CR LF.
  TempFile file("ab\r\ncd\fXef\r\n");
  auto reader = OpenOrDie(file.path());
  ReportLine line;
  ASSERT_TRUE(reader->Next(LineEndRule::kFormFeedFirst, line));
  EXPECT_EQ(line.text, "ab\r\ncd");
  EXPECT_EQ(line.line_len, 7u);
  EXPECT_EQ(line.next, 8u);  // the byte after the form feed is passed over
  ASSERT_TRUE(reader->Next(LineEndRule::kEarliest, line));
  EXPECT_EQ(line.text, "ef");
  EXPECT_FALSE(reader->Next(LineEndRule::kEarliest, line));

  reader->Seek(0);
  ASSERT_TRUE(reader->Next(LineEndRule::kEarliest, line));
  EXPECT_EQ(line.text, "ab");
  EXPECT_EQ(line.next, 4u);  // the CR LF pair is consumed whole
  ASSERT_TRUE(reader->Next(LineEndRule::kEarliest, line));
  EXPECT_EQ(line.text, "cd");
  EXPECT_EQ(line.offset, 4u);

  // A CR LF pair split by the window's edge is no terminator.
  TempFile edge(std::string(249, 'x') + "\r\nyy");
  reader = OpenOrDie(edge.path());
  ASSERT_TRUE(reader->Next(LineEndRule::kEarliest, line));
  EXPECT_EQ(line.window_len, 250u);
  EXPECT_EQ(line.line_len, 0u);
  EXPECT_EQ(line.text.size(), 250u);
  EXPECT_EQ(line.next, 1u);
}

TEST(ReportLineReaderTest, LongLineWithoutTerminatorEndsAfterOneWindowPerByte) {
  const std::string body = std::string(10000, 'Q') + "\r\nlast";
  TempFile file(body);
  auto reader = OpenOrDie(file.path(), 1024);
  ReportLine line;
  size_t windows = 0;
  uint64_t expected_offset = 0;
  while (reader->Next(LineEndRule::kEarliest, line) && line.line_len == 0) {
    ASSERT_EQ(line.offset, expected_offset);
    ASSERT_EQ(line.text, std::string_view(body).substr(line.offset, 250));
    ++expected_offset;
    ++windows;
  }
  // The windows overlap one byte apart until the CR LF falls inside one.
  EXPECT_EQ(windows, 10000u - 248u);
  EXPECT_EQ(line.text, std::string(248, 'Q'));
  ASSERT_TRUE(reader->Next(LineEndRule::kEarliest, line));
  EXPECT_EQ(line.text, "last");
  EXPECT_EQ(AllLines(*reader, LineEndRule::kEarliest).size(), 3u);  // "ast", "st", "t"
  EXPECT_FALSE(reader->Next(LineEndRule::kEarliest, line));
}

TEST(ReportLineReaderTest, FileEnds) {
  ReportLine line;
  {  // empty file: no line at all
    TempFile file("");
    auto reader = OpenOrDie(file.path());
    EXPECT_FALSE(reader->Next(LineEndRule::kEarliest, line));
    EXPECT_TRUE(reader->error().empty());
  }
  {  // a last line without terminator comes back once per remaining byte, shrinking
    TempFile file("one\r\ntail");
    auto reader = OpenOrDie(file.path());
    std::vector<PlainLine> lines = AllLines(*reader, LineEndRule::kEarliest);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1].text, "tail");
    EXPECT_EQ(lines[1].window_len, 4u);
    EXPECT_EQ(lines[4].text, "l");
  }
  {  // only form feeds: every other one is consumed as the byte after a form feed
    TempFile file(std::string(7, '\f'));
    auto reader = OpenOrDie(file.path());
    std::vector<PlainLine> lines = AllLines(*reader, LineEndRule::kFormFeedFirst);
    ASSERT_EQ(lines.size(), 4u);
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].offset, 2 * i);
      EXPECT_EQ(lines[i].text, "");
    }
  }
  {  // a form feed as the last byte moves past the end; seeking there just ends
    TempFile file("x\f");
    auto reader = OpenOrDie(file.path());
    ASSERT_TRUE(reader->Next(LineEndRule::kEarliest, line));
    EXPECT_EQ(line.next, 3u);
    EXPECT_FALSE(reader->Next(LineEndRule::kEarliest, line));
    reader->Seek(UINT64_MAX);
    EXPECT_FALSE(reader->Next(LineEndRule::kEarliest, line));
    EXPECT_TRUE(reader->error().empty());
  }
}

TEST(ReportLineReaderTest, OpenFailuresNameTheFile) {
  OpenError error;
  EXPECT_FALSE(ReportLineReader::Open("/nonexistent/CCASS.TXT", &error));
  EXPECT_EQ(error.title, "OBX");
  EXPECT_EQ(error.message, "ERROR: CANNOT OPEN FILE /nonexistent/CCASS.TXT");
  EXPECT_FALSE(error.cause.empty());

  // A directory or a pipe is no report file; opening a pipe must not wait for a writer.
  char dir[] = "/tmp/zur_scan_XXXXXX";
  ASSERT_TRUE(::mkdtemp(dir));
  std::string fifo = std::string(dir) + "/pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ReportLineReader::Open(dir, &error));
  EXPECT_EQ(error.message, std::string("ERROR: CANNOT OPEN FILE ") + dir);
  EXPECT_FALSE(ReportLineReader::Open(fifo, &error));
  EXPECT_EQ(error.message, "ERROR: CANNOT OPEN FILE " + fifo);
  ::unlink(fifo.c_str());
  ::rmdir(dir);
}

}  // namespace
}  // namespace zur::scanner
