#include "platform/pdf/report_viewer.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include "platform/pdf/tests/tool_runner.h"

namespace zur::pdf {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::WriteAll;

TEST(ReportViewerTest, ServerFolderGetsACopyAndIsMadeWhenMissing) {
  TempDir dir;
  ViewerHandover h;
  h.report = dir.path() / "shortage.txt";
  WriteAll(h.report, "SHORTAGE\r\n");
  h.to_server = true;
  h.server_dir = (dir.path() / "srv" / "rpv").string() + "\\";
  EXPECT_EQ(HandOverToViewer(h), "");
  EXPECT_EQ(ReadAll(dir.path() / "srv" / "rpv" / "shortage.txt"), "SHORTAGE\r\n");
  EXPECT_EQ(ReadAll(h.report), "SHORTAGE\r\n");

  // A plain file where the folder should be.
  WriteAll(dir.path() / "blocked", "");
  h.server_dir = (dir.path() / "blocked").string();
  std::string err = HandOverToViewer(h);
  EXPECT_NE(err.find("shortage.txt"), std::string::npos) << err;
}

TEST(ReportViewerTest, ViewerProgramGetsTheFileWithoutAShell) {
  TempDir dir;
  ViewerHandover h;
  // A name with shell characters reaches the program as one argument.
  h.report = dir.path() / "a;b $(x).txt";
  WriteAll(h.report, "R\r\n");
  h.viewer = "true";
  EXPECT_EQ(HandOverToViewer(h), "");
  h.viewer = "zur-no-such-viewer";
  std::string err = HandOverToViewer(h);
  EXPECT_NE(err.find("zur-no-such-viewer"), std::string::npos) << err;
  h.report = dir.path() / "missing.txt";
  EXPECT_NE(HandOverToViewer(h).find("missing.txt"), std::string::npos);
  // The viewer is nobody's child here: no zombie waits for the program's end.
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

}  // namespace
}  // namespace zur::pdf
