#include "print/system/system_print.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/pdf/tests/tool_runner.h"

namespace zur::print {
namespace {

namespace fs = std::filesystem;
using pdf::testing::ReadAll;
using pdf::testing::TempDir;
using pdf::testing::WriteAll;

TEST(SystemPrintSettingsTest, TakesTheOperatorsVariablesAndIgnoresWrongTypes) {
  VarStore vars;
  SystemPrintSettings s = SystemPrintSettingsFromVars(vars);
  EXPECT_TRUE(s.font.empty());
  EXPECT_EQ(s.landscape_offset, 0);
  EXPECT_FALSE(s.to_pdf);
  EXPECT_FALSE(s.viewer_mode);

  vars.Set("WinPtFont", Value("AR PL UMing TW "));
  vars.Set("WinPtOfset", Value(4.0));
  vars.Set("WinPrtOfst", Value(-3.0));
  vars.Set("WinPortrait", Value(true));
  vars.Set("WinLabel", Value("Y"));  // not a logical: no label printing
  vars.Set("DEF_ATI_PTR", Value(" office "));
  vars.Set("DEF_PDF_PTR", Value("reports\\pdf"));
  vars.Set("MAIN_STR", Value("SHORTAGE"));
  vars.Set("Rpv_Mode", Value(true));
  vars.Set("RpvServer", Value("Y"));
  vars.Set("RpvSrvDir", Value("srv\\"));
  vars.Set("PRINT_PDF", Value(true));
  s = SystemPrintSettingsFromVars(vars);
  EXPECT_EQ(s.font, "AR PL UMing TW");
  EXPECT_EQ(s.landscape_offset, 4);
  EXPECT_EQ(s.portrait_offset, 0);
  EXPECT_TRUE(s.force_portrait);
  EXPECT_FALSE(s.label);
  EXPECT_EQ(s.report_printer, "office");
  EXPECT_EQ(s.pdf_folder, "reports\\pdf");
  EXPECT_EQ(s.job_name, "SHORTAGE");
  EXPECT_TRUE(s.viewer_mode);
  EXPECT_TRUE(s.viewer_to_server);
  EXPECT_EQ(s.viewer_server_dir, "srv\\");
  EXPECT_TRUE(s.to_pdf);

  // A damaged memory file can hold any number: the left offset stays on the paper.
  vars.Set("WinPtOfset", Value(1e300));
  EXPECT_EQ(SystemPrintSettingsFromVars(vars).landscape_offset, 99);
}

class SystemPrintTest : public ::testing::Test {
 protected:
  fs::path Report(const std::string& text) {
    const fs::path p = dir_.path() / "SBAUDIT" / "A1.RPT";
    fs::create_directories(p.parent_path());
    WriteAll(p, text);
    return p;
  }
  TempDir dir_;
  const std::chrono::system_clock::time_point created_ =
      std::chrono::system_clock::from_time_t(1796000000);
};

TEST_F(SystemPrintTest, PdfPrinterWritesIntoTheNamedFolderOfTheWorkingDirectory) {
  const fs::path report = Report("TALVERO SECURITIES LTD\r\nline two\r\n");
  SystemPrintSettings s;
  s.to_pdf = true;
  s.job_name = "STATUS";
  SystemPrintResult r = SystemPrint(report, s, dir_.path(), created_);
  ASSERT_EQ(r.status, SystemPrintStatus::kPrinted) << r.error;
  EXPECT_EQ(r.pdf.parent_path(), dir_.path() / "PDF");
  EXPECT_EQ(ReadAll(r.pdf).substr(0, 5), "%PDF-");
  EXPECT_TRUE(fs::exists(report));  // the caller decides about the report file

  s.pdf_folder = "out\\pdf";
  r = SystemPrint(report, s, dir_.path(), created_);
  ASSERT_EQ(r.status, SystemPrintStatus::kPrinted) << r.error;
  EXPECT_EQ(r.pdf.parent_path(), dir_.path() / "out" / "pdf");
}

TEST_F(SystemPrintTest, EmptyReportPrintsNothingAndAnUnwritableFolderFails) {
  SystemPrintSettings s;
  s.to_pdf = true;
  EXPECT_EQ(SystemPrint(Report(""), s, dir_.path(), created_).status, SystemPrintStatus::kEmpty);
  EXPECT_FALSE(fs::exists(dir_.path() / "PDF"));

  WriteAll(dir_.path() / "blocked", "a file where the folder should be");
  s.pdf_folder = "blocked";
  const fs::path report = Report("x\r\n");
  const SystemPrintResult r = SystemPrint(report, s, dir_.path(), created_);
  EXPECT_EQ(r.status, SystemPrintStatus::kFailed);
  EXPECT_NE(r.error.find(report.string()), std::string::npos) << r.error;
  EXPECT_FALSE(r.ok());
}

TEST_F(SystemPrintTest, ViewerModeDeliversToTheServerFolderOrStartsTheViewer) {
  const fs::path report = Report("for the viewer\r\n");
  SystemPrintSettings s;
  s.viewer_mode = true;
  s.to_pdf = true;  // viewer mode comes first
  s.viewer_to_server = true;
  s.viewer_server_dir = "srv\\";
  SystemPrintResult r = SystemPrint(report, s, dir_.path(), created_);
  ASSERT_EQ(r.status, SystemPrintStatus::kDelivered) << r.error;
  EXPECT_EQ(ReadAll(dir_.path() / "srv" / "A1.RPT"), "for the viewer\r\n");
  EXPECT_FALSE(fs::exists(dir_.path() / "PDF"));

  // A server folder that cannot be made, or none: the viewer program, not installed here.
  WriteAll(dir_.path() / "blocked", "a file, not a folder");
  for (const char* server : {"blocked\\srv", ""}) {
    s.viewer_server_dir = server;
    r = SystemPrint(report, s, dir_.path(), created_);
    EXPECT_EQ(r.status, SystemPrintStatus::kFailed);
    EXPECT_NE(r.error.find("viewer rpv does not start"), std::string::npos) << r.error;
  }
}

}  // namespace
}  // namespace zur::print
