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
using testing::ReferenceLineReader;
using text::testing::TempFile;
constexpr LineEndRule kEarliest = LineEndRule::kEarliest;
constexpr LineEndRule kFormFeedFirst = LineEndRule::kFormFeedFirst;

std::unique_ptr<ReportLineReader> OpenOrDie(const std::string& path,
                                            size_t buffer = kReportBuffer) {
  OpenError error;
  auto reader = ReportLineReader::Open(path, &error, kReportWindow, buffer);
  EXPECT_TRUE(reader) << error.message;
  return reader;
}

// Random files, mostly terminators (several per window, none, CRs and LFs that do not pair),
// read whole and from random offsets, with buffers that refill at every possible point.
TEST(ReportLineReaderTest, BufferedLinesEqualOneReadPerLine) {
  std::mt19937 rng(20261208);
  const char kBytes[] = {'\f', '\r', '\n', '\r', 'a', ' ', ':', '\0', '\xff'};
  const size_t buffers[] = {kReportBuffer, kReportWindow, kReportWindow + 1, 300, 1024};
  for (int round = 0; round < 300; ++round) {
    std::string soup(round % 100 == 5 ? 200000 : rng() % 4000, ' ');  // a few refill the big buffer
    size_t alphabet = round % 3 == 0 ? 1 : std::size(kBytes);         // no terminators at all
    for (char& c : soup) c = kBytes[std::size(kBytes) - 1 - rng() % alphabet];
    TempFile file(soup);
    size_t buffer = buffers[round % std::size(buffers)];
    auto reader = OpenOrDie(file.path(), buffer);
    for (LineEndRule rule : {kEarliest, kFormFeedFirst}) {
      ReferenceLineReader plain(file.path());
      reader->Seek(0);
      ASSERT_EQ(AllLines(*reader, rule), plain.All(rule)) << "round " << round;
      for (int seek = 0; seek < 5; ++seek) {
        uint64_t at = rng() % (soup.size() + 300);
        plain.Seek(at);
        reader->Seek(at);
        ASSERT_EQ(AllLines(*reader, rule, 20), plain.All(rule, 20)) << "round " << round;
      }
    }
    EXPECT_TRUE(reader->error().empty());
  }
}

TEST(ReportLineReaderTest, TerminatorRules) {
  TempFile file("ab\r\ncd\fXef\r\n" + std::string(249, 'x') + "\r\nyy");
  auto reader = OpenOrDie(file.path());
  ReportLine line;
  // The page pass takes the form feed even after a CR LF, and the byte after it goes too.
  ASSERT_TRUE(reader->Next(kFormFeedFirst, line));
  EXPECT_EQ(line.text, "ab\r\ncd");
  EXPECT_EQ(line.next, 8u);
  ASSERT_TRUE(reader->Next(kEarliest, line));
  EXPECT_EQ(line.text, "ef");
  // A CR LF pair cut by the window's edge ends nothing: the window moves on by one byte.
  ASSERT_TRUE(reader->Next(kEarliest, line));
  EXPECT_EQ(line.line_len, 0u);
  EXPECT_EQ(line.text, std::string(249, 'x') + "\r");
  EXPECT_EQ(line.next, 13u);

  reader->Seek(0);  // the readers take the earlier terminator
  ASSERT_TRUE(reader->Next(kEarliest, line));
  EXPECT_EQ(line.text, "ab");
  EXPECT_EQ(line.next, 4u);
}

TEST(ReportLineReaderTest, DamagedAndEmptyFilesEnd) {
  const std::string body = std::string(10000, 'Q') + "\r\nlast";
  TempFile file(body);
  auto reader = OpenOrDie(file.path(), 1024);
  // A 10,000-byte line gives one window per byte until the CR LF falls inside one.
  ReportLine line;
  uint64_t windows = 0;
  while (reader->Next(kEarliest, line) && line.line_len == 0) {
    ASSERT_EQ(line.offset, windows++);
    ASSERT_EQ(line.text, std::string_view(body).substr(line.offset, 250));
  }
  EXPECT_EQ(windows, 10000u - 248u);
  EXPECT_EQ(line.text, std::string(248, 'Q'));
  // The last line has no terminator: "last", "ast", "st", "t".
  EXPECT_EQ(AllLines(*reader, kEarliest).size(), 4u);
  reader->Seek(UINT64_MAX);
  EXPECT_FALSE(reader->Next(kEarliest, line));
  EXPECT_TRUE(reader->error().empty());

  TempFile empty("");
  EXPECT_FALSE(OpenOrDie(empty.path())->Next(kEarliest, line));
  // Only form feeds: each consumes the next as the byte after it; the last moves past the end.
  TempFile feeds(std::string(7, '\f'));
  auto lines = AllLines(*OpenOrDie(feeds.path()), kFormFeedFirst);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[3].offset, 6u);
  EXPECT_EQ(lines[3].next, 8u);
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
