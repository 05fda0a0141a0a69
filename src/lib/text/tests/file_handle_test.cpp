#include "lib/text/file_handle.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "lib/text/tests/temp_file.h"

namespace zur::text {
namespace {

class FReadLnTest : public ::testing::Test {
 protected:
  void Open(std::string_view contents) {
    file_ = std::make_unique<testing::TempFile>(contents);
    fd_ = ::open(file_->path().c_str(), O_RDONLY);
    ASSERT_GE(fd_, 0);
  }
  void TearDown() override {
    if (fd_ >= 0) ::close(fd_);
  }
  std::unique_ptr<testing::TempFile> file_;
  int fd_ = -1;
};

TEST_F(FReadLnTest, LinesKeepTheirDelimiterAndTheLastComesWithoutOne) {
  Open("first\r\nsecond\r\nlast");
  EXPECT_EQ(FReadLn(fd_), "first\r\n");
  EXPECT_EQ(FilePos(fd_), 7);
  EXPECT_EQ(FReadLn(fd_), "second\r\n");
  EXPECT_FALSE(FileEof(fd_));
  EXPECT_EQ(FReadLn(fd_), "last");
  EXPECT_TRUE(FileEof(fd_));
  EXPECT_EQ(FReadLn(fd_), "");
  EXPECT_TRUE(FileEof(fd_));
}

TEST_F(FReadLnTest, SeveralLinesComeBackJoined) {
  Open("a\r\nbb\r\nccc\r\ndddd\r\n");
  EXPECT_EQ(FReadLn(fd_, 3), "a\r\nbb\r\nccc\r\n");
  EXPECT_EQ(FilePos(fd_), 12);
  EXPECT_EQ(FReadLn(fd_, 5), "dddd\r\n");
}

TEST_F(FReadLnTest, LongLinesComeInPiecesCountedAsLines) {
  Open("abcdefghij\r\nxyz\r\nq");
  EXPECT_EQ(FReadLn(fd_, 1, 4), "abcd");
  EXPECT_EQ(FReadLn(fd_, 2, 4), "efghij\r\n");
  // The delimiter straddles the window: the CR ends one piece, the LF starts the next.
  EXPECT_EQ(FReadLn(fd_, 1, 4), "xyz\r");
  EXPECT_EQ(FReadLn(fd_, 1, 4), "\nq");
  EXPECT_TRUE(FileEof(fd_));
}

TEST_F(FReadLnTest, OtherDelimiterAndDegenerateArguments) {
  Open("one|two|");
  EXPECT_EQ(FReadLn(fd_, 1, 80, "|"), "one|");
  EXPECT_EQ(FReadLn(fd_, 0), "");
  EXPECT_EQ(FReadLn(fd_, 1, 0), "");
  EXPECT_EQ(FReadLn(fd_, 1, 80, ""), "two|");
  EXPECT_EQ(FilePos(fd_), 8);
}

TEST_F(FReadLnTest, FileSizeLeavesThePositionAlone) {
  Open("0123456789");
  ASSERT_EQ(::lseek(fd_, 4, SEEK_SET), 4);
  EXPECT_EQ(FileSize(fd_), 10);
  EXPECT_EQ(FilePos(fd_), 4);
}

TEST(FileHandle, BadHandleGivesNothing) {
  EXPECT_EQ(FilePos(-1), -1);
  EXPECT_EQ(FileSize(-1), -1);
  EXPECT_TRUE(FileEof(-1));
  EXPECT_EQ(FReadLn(-1, 5), "");
}

}  // namespace
}  // namespace zur::text
