#include "lib/compat/shell.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "lib/compat/tests/scratch_dir.h"

namespace zur::compat {
namespace {

// Points SHELL somewhere for one test and puts it back afterwards.
class ShellVar {
 public:
  explicit ShellVar(const std::string& value) {
    if (const char* old = std::getenv("SHELL")) old_ = old;
    ::setenv("SHELL", value.c_str(), 1);
  }
  ~ShellVar() {
    if (old_)
      ::setenv("SHELL", old_->c_str(), 1);
    else
      ::unsetenv("SHELL");
  }

 private:
  std::optional<std::string> old_;
};

TEST(Shell, RunsCommandsAndWaits) {
  testing::ScratchDir dir;
  ShellVar sh("/bin/sh");
  ShellResult ok = RunShell("true");
  EXPECT_TRUE(ok.started);
  EXPECT_EQ(ok.exit_status, 0);

  ShellResult failed = RunShell("exit 3");
  EXPECT_TRUE(failed.started);
  EXPECT_EQ(failed.exit_status, 3);

  std::string out = dir.File("out.txt");
  ASSERT_TRUE(RunShell("printf 'a;b' > '" + out + "'").started);
  EXPECT_EQ(testing::ScratchDir::Read(out), "a;b");  // the shell has finished writing
}

TEST(Shell, PromptBecomesPs1) {
  testing::ScratchDir dir;
  ShellVar sh("/bin/sh");
  std::string out = dir.File("ps1.txt");
  VarStore vars;
  vars.Set("PROMPT", Value("ZUR $P$G"));
  EXPECT_TRUE(SwpRunCmd(vars, "printf %s \"$PS1\" > '" + out + "'"));
  EXPECT_EQ(testing::ScratchDir::Read(out), "ZUR $P$G");
}

TEST(Shell, BlankCommandStartsTheUsersShellWithoutArguments) {
  testing::ScratchDir dir;
  std::string log = dir.File("log.txt");
  std::string script =
      dir.Write("fake_shell", "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$PS1\" > '" + log + "'\n");
  ::chmod(script.c_str(), 0755);
  ShellVar sh(script);
  EXPECT_EQ(UserShell(), script);
  ShellResult r = RunShell("   ", std::string("C:>"));
  EXPECT_TRUE(r.started);
  EXPECT_EQ(testing::ScratchDir::Read(log), "0|C:>");
}

TEST(Shell, MissingShellIsReportedNotHidden) {
  ShellVar sh("/nonexistent/shell");
  ShellResult r = RunShell("true");
  EXPECT_FALSE(r.started);
  EXPECT_NE(r.error.find("/nonexistent/shell"), std::string::npos);
  VarStore vars;
  EXPECT_FALSE(Overlay(vars, "true"));
  EXPECT_EQ(ErrMajor(), "Error in NEW Shell.");
}

}  // namespace
}  // namespace zur::compat
