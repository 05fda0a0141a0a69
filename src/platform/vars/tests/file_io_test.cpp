#include "platform/vars/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/vars/tests/temp_dir.h"

namespace zur {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

size_t FilesIn(const std::string& dir) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

TEST(AtomicWrite, WriterDyingBeforeTheRenameLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string path = dir.File("ZUR.XBS");
  WriteBytes(path, "old contents\n");
  bool hookRan = false;
  const std::string error = WriteFileAtomically(path, "new contents\n", [&] {
    hookRan = true;
    // The new file is complete beside the old one, which is still untouched.
    EXPECT_EQ(ReadBytes(path), "old contents\n");
    EXPECT_EQ(FilesIn(dir.path()), 2u);
    return false;
  });
  EXPECT_TRUE(hookRan);
  EXPECT_NE(error.find(path), std::string::npos);
  EXPECT_EQ(ReadBytes(path), "old contents\n");
  EXPECT_EQ(FilesIn(dir.path()), 1u);  // no temporary file left behind
}

TEST(AtomicWrite, ReplacesTheFileAndKeepsItsPermissions) {
  TempDir dir;
  const std::string path = dir.File("SB.XBS");
  WriteBytes(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  EXPECT_EQ(WriteFileAtomically(path, std::string("new\0bytes", 9)), "");
  EXPECT_EQ(ReadBytes(path), std::string("new\0bytes", 9));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(AtomicWrite, FailuresNameTheFile) {
  TempDir dir;
  const std::string missingDir = dir.File("no/such/dir/ZUR.XBS");
  EXPECT_NE(WriteFileAtomically(missingDir, "x").find(missingDir), std::string::npos);
  const std::string sub = dir.File("sub");
  std::filesystem::create_directory(sub);
  EXPECT_NE(WriteFileAtomically(sub, "x").find(sub), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(sub));
}

TEST(ReadFileBytes, RefusesMissingLargeAndNonRegularFiles) {
  TempDir dir;
  const std::string path = dir.File("a.bin");
  WriteBytes(path, "0123456789");
  EXPECT_EQ(ReadFileBytes(path, 10).bytes, "0123456789");

  const FileBytes big = ReadFileBytes(path, 9);
  EXPECT_FALSE(big.ok());
  EXPECT_NE(big.error.find(path), std::string::npos);
  EXPECT_TRUE(big.bytes.empty());
  EXPECT_EQ(big.errorCode, EFBIG);

  const FileBytes missing = ReadFileBytes(dir.File("none"), 100);
  EXPECT_EQ(missing.errorCode, ENOENT);
  EXPECT_NE(missing.error.find("none"), std::string::npos);

  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ReadFileBytes(fifo, 100).ok());  // refused, not waited on

  const FileBytes directory = ReadFileBytes(dir.path(), 100);
  EXPECT_FALSE(directory.ok());
  EXPECT_EQ(directory.errorCode, EISDIR);
}

// Everything that opens a file by name goes through OpenRegularFile: a FIFO would block a
// read-only open for ever (`zur dbf` on one hung), and a device is not opened at all.
TEST(OpenRegularFile, OpensRegularFilesOnlyAndNeverWaits) {
  TempDir dir;
  const std::string path = dir.File("TABLE.DBF");
  WriteBytes(path, "x");
  std::string kind;
  int fd = OpenRegularFile(path, O_RDONLY, 0, &kind);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(kind, "");
  EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);  // reads block as usual afterwards
  ::close(fd);

  struct Case {
    std::string path;
    int flags;
    int error;
    const char* kind;
  };
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const Case& c :
       {Case{fifo, O_RDONLY, EINVAL, "a FIFO"}, Case{fifo, O_RDWR, EINVAL, "a FIFO"},
        Case{"/dev/zero", O_RDONLY, EINVAL, "a character device"},
        Case{dir.path(), O_RDONLY, EISDIR, "a directory"},
        Case{dir.File("none"), O_RDONLY, ENOENT, ""}}) {
    SCOPED_TRACE(c.path);
    kind.clear();
    EXPECT_EQ(OpenRegularFile(c.path, c.flags, 0, &kind), -1);
    EXPECT_EQ(errno, c.error);
    EXPECT_EQ(kind, c.kind);
  }
  fd = OpenRegularFile(dir.File("new"), O_WRONLY | O_CREAT, 0600);
  EXPECT_GE(fd, 0);
  ::close(fd);
}

}  // namespace
}  // namespace zur
