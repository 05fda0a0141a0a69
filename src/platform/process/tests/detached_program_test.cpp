#include "platform/process/detached_program.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace zur::process {
namespace {

// A started program is nobody's child here: once it ends, nothing is left to wait for, and its
// arguments arrive as they were given, shell characters and all.
TEST(DetachedProgramTest, LeavesNoChildAndPassesArgumentsWithoutAShell) {
  const std::filesystem::path out =
      std::filesystem::temp_directory_path() / ("zur-detached-" + std::to_string(::getpid()));
  std::filesystem::remove(out);
  const std::string argument = "a;b $(x) 'c'";
  ASSERT_EQ(StartDetached({"sh", "-c", "printf %s \"$1\" > \"$2.tmp\" && mv \"$2.tmp\" \"$2\"",
                           "sh", argument, out.string()}),
            "");
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);

  // The program runs on its own; its file comes when it is done.
  for (int i = 0; i < 500 && !std::filesystem::exists(out); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::ifstream in(out);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), argument);
  std::filesystem::remove(out);
}

TEST(DetachedProgramTest, AProgramThatCannotStartIsNamed) {
  EXPECT_NE(StartDetached({"zur-no-such-program"}).find("zur-no-such-program"), std::string::npos);
  EXPECT_EQ(StartDetached({}), "no program named");
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

}  // namespace
}  // namespace zur::process
