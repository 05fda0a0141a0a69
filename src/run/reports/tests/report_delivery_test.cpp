#include "run/reports/report_delivery.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>

#include "run/reports/tests/reports_fixture.h"

namespace zur::reports {
namespace {

namespace fs = std::filesystem;
using determine::testing::Row;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

using dbf::testing::FilesIn;

class ReportDeliveryTest : public testing::ReportsTest {
 protected:
  void SetUp() override {
    ReportsTest::SetUp();
    MakeTable(false);
    // Stock 5 runs short on the main account; stock 700 does not.
    AddRows({{"5", "01", 10, 0, 0, -50}, {"700", "01", 500}, {"700", "02", 0, 0, 100}});
    SetVars("08DEC26");
    vars_.Set("CUR_PTR", Value("WINDOW_PRINTER"));
    vars_.Set("PRINT_NAME", Value("LPT1"));
    vars_.Set("USER_KEY", Value("TALVERO"));
    options_.working_dir = dir_.path();
    options_.print_time = std::chrono::system_clock::from_time_t(1796000000);
  }
  bool Deliver() { return DeliverCheckingReports(*zur_, vars_, op_, options_); }
  fs::path Audit() const { return dir_ / "SBAUDIT"; }
  // The report files in the audit folder: all but the printer's own file (WinPtPort), made
  // when output went back to the printer after a report.
  std::vector<fs::path> ReportFiles() const {
    std::vector<fs::path> files = FilesIn(Audit());
    std::erase(files, fs::path(vars_.Get("WinPtPort").str()));
    return files;
  }

  DeliveryOptions options_;
};

TEST_F(ReportDeliveryTest, PdfPrinterGetsBothReportsAndTheAuditFilesGo) {
  vars_.Set("PRINT_PDF", Value(true));
  options_.keep_reports = dir_ / "kept";
  ASSERT_TRUE(Deliver()) << ::testing::PrintToString(op_.events);

  const std::vector<fs::path> pdfs = FilesIn(dir_ / "PDF");
  ASSERT_EQ(pdfs.size(), 2u);
  EXPECT_NE(pdfs[0].filename().string().find("SHORTAGE_"), std::string::npos);
  EXPECT_NE(pdfs[1].filename().string().find("STATUS_"), std::string::npos);
  EXPECT_TRUE(ReportFiles().empty());  // printed, then deleted
  EXPECT_EQ(FilesIn(Audit()).size(), 1u);

  const std::string shortage = ReadAll(dir_ / "kept" / "SHORTAGE.TXT");
  EXPECT_NE(shortage.find("STOCK SHORTAGE REPORT - SZMK"), std::string::npos);
  EXPECT_NE(shortage.find("STOCK 5"), std::string::npos);
  EXPECT_EQ(shortage.find("STOCK 700"), std::string::npos);
  EXPECT_NE(ReadAll(dir_ / "kept" / "STATUS.TXT").find("ZUR STATUS REPORT"), std::string::npos);

  EXPECT_EQ(op_.Matching("progress: Printing").size(), 2u);
  EXPECT_EQ(op_.Matching("percent: 100").size(), 2u);  // one page each
  EXPECT_EQ(op_.events[0], "progress: Printing \"STOCK SHORTAGE REPORT\" ...");
  EXPECT_TRUE(op_.Matching("warn:").empty());
  EXPECT_EQ(vars_.Get("MAIN_STR").str(), "STATUS");
}

// A copy that cannot be kept is warned about and leaves nothing half-written; the reports
// still print and the other copy is kept.
TEST_F(ReportDeliveryTest, ACopyThatCannotBeKeptIsWarnedAbout) {
  vars_.Set("PRINT_PDF", Value(true));
  options_.keep_reports = dir_ / "kept";
  fs::create_directories(dir_ / "kept" / "STATUS.TXT");  // a folder where the copy should go
  std::ofstream(dir_ / "kept" / "SHORTAGE.TXT") << "yesterday's copy";
  EXPECT_TRUE(Deliver());
  EXPECT_EQ(FilesIn(dir_ / "PDF").size(), 2u);
  EXPECT_NE(ReadAll(dir_ / "kept" / "SHORTAGE.TXT").find("STOCK SHORTAGE REPORT"),
            std::string::npos);
  const std::vector<std::string> warned =
      op_.Matching("warn: WARNING: The copy of the report is not kept: ");
  ASSERT_EQ(warned.size(), 1u);
  EXPECT_NE(warned[0].find("STATUS.TXT"), std::string::npos) << warned[0];
  EXPECT_EQ(FilesIn(dir_ / "kept").size(), 2u);  // nothing half-written left beside them
}

TEST_F(ReportDeliveryTest, AReportThatCannotBePrintedStaysInTheAuditFolderWithAWarning) {
  vars_.Set("PRINT_PDF", Value(true));
  std::ofstream(dir_ / "blocked") << "a file, not a folder";
  vars_.Set("DEF_PDF_PTR", Value("blocked"));
  EXPECT_FALSE(Deliver());

  const std::vector<fs::path> kept = ReportFiles();
  ASSERT_EQ(kept.size(), 2u);
  const std::vector<std::string> warnings = op_.Matching("warn: WARNING: ");
  ASSERT_EQ(warnings.size(), 2u);
  for (const std::string& w : warnings) {
    const bool names_a_kept_file = w.find(kept[0].string()) != std::string::npos ||
                                   w.find(kept[1].string()) != std::string::npos;
    EXPECT_TRUE(names_a_kept_file) << w;
  }
  EXPECT_NE(warnings[0].find("\"STOCK SHORTAGE REPORT\" is not printed"), std::string::npos);
  const std::string both = ReadAll(kept[0]) + ReadAll(kept[1]);
  EXPECT_NE(both.find("STOCK SHORTAGE REPORT"), std::string::npos);
  EXPECT_NE(both.find("ZUR STATUS REPORT"), std::string::npos);
}

TEST_F(ReportDeliveryTest, ALinePrinterFileGetsBothReportsWithTheirPitchCodes) {
  vars_.Set("CUR_PTR", Value("EPSON"));
  vars_.Set("COMPRESS", Value("Y"));
  vars_.Set("PRINT_NAME", Value((dir_ / "REPORTS.PRN").string()));
  options_.keep_reports = dir_ / "kept";
  ASSERT_TRUE(Deliver());
  const std::string printed = ReadAll(dir_ / "REPORTS.PRN");
  EXPECT_NE(printed.find("STOCK SHORTAGE REPORT"), std::string::npos);
  EXPECT_NE(printed.find("ZUR STATUS REPORT"), std::string::npos);
  EXPECT_NE(printed.find('\x0f'), std::string::npos);  // condensed print for the shortage report
  EXPECT_FALSE(fs::exists(Audit()));
  // The kept copies are exactly what went to the printer.
  EXPECT_EQ(ReadAll(dir_ / "kept" / "SHORTAGE.TXT") + ReadAll(dir_ / "kept" / "STATUS.TXT"),
            printed);
}

TEST_F(ReportDeliveryTest, APortThatIsNotReadyFallsBackToAFileInTheAuditFolder) {
  vars_.Set("CUR_PTR", Value("EPSON"));
  vars_.Set("PORT_LPT1", Value((dir_ / "no-such-folder" / "lp0").string()));
  ASSERT_TRUE(Deliver());
  const std::vector<fs::path> files = FilesIn(Audit());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].extension(), ".PRN");
  EXPECT_EQ(vars_.Get("PRINT_NAME").str(), files[0].string());
  ASSERT_EQ(op_.Matching("line22: ERROR: Printer Port \"LPT1\"").size(), 1u);
  EXPECT_NE(ReadAll(files[0]).find("ZUR STATUS REPORT"), std::string::npos);
}

TEST_F(ReportDeliveryTest, AnAuditFolderThatCannotBeMadeIsReportedAndNothingPrints) {
  std::ofstream(dir_ / "blocked") << "a file, not a folder";
  vars_.Set("AUDIT_DIR", Value((dir_ / "blocked" / "audit").string()));
  vars_.Set("PRINT_PDF", Value(true));
  EXPECT_FALSE(Deliver());
  ASSERT_EQ(op_.Matching("box ZUR: Error: OBX have not permit").size(), 1u);
  EXPECT_FALSE(fs::exists(dir_ / "PDF"));
}

// Runs `said` in a child process in which no file can grow past `max_bytes` (a disk that
// fills up) and returns what it gave back.
std::string WithFilesUpTo(rlim_t max_bytes, const std::function<std::string()>& said) {
  int out[2];
  if (::pipe(out) != 0) return "<no pipe>";
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(out[0]);
    ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
    const struct rlimit limit = {max_bytes, max_bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::string text = said();
    const bool sent = ::write(out[1], text.data(), text.size()) == ssize_t(text.size());
    ::_exit(sent ? 0 : 2);
  }
  ::close(out[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<size_t>(n));
  ::close(out[0]);
  ::waitpid(pid, nullptr, 0);
  return text;
}

// A report the disk had no room for was said to be "kept" but was 0 bytes: it is said to be
// not written, and no incomplete file is left to be taken for it.
TEST_F(ReportDeliveryTest, AReportCutShortByAFullDiskIsSaidNotWrittenAndNotKept) {
  vars_.Set("PRINT_PDF", Value(true));
  auto deliver = [&] {
    bool written = true;
    const bool printed = DeliverCheckingReports(*zur_, vars_, op_, options_, &written);
    std::string text;
    for (const std::string& e : op_.events) text += e + "\n";
    return text + "printed=" + std::to_string(printed) + " written=" + std::to_string(written);
  };
  const std::string said = WithFilesUpTo(600, deliver);
  EXPECT_NE(said.find("printed=0 written=0"), std::string::npos) << said;
  EXPECT_NE(said.find("box ZUR: ERROR: \"STOCK SHORTAGE REPORT\" could not be written (disk "
                      "full?) and is not printed: "),
            std::string::npos)
      << said;
  EXPECT_NE(said.find("is incomplete and was removed"), std::string::npos) << said;
  EXPECT_EQ(said.find("is kept"), std::string::npos) << said;
  for (const fs::path& file : FilesIn(Audit()))  // at most the printer's own file, empty
    EXPECT_EQ(fs::file_size(file), 0u) << file;
  EXPECT_TRUE(FilesIn(dir_ / "PDF").empty());

  EXPECT_NE(WithFilesUpTo(RLIM_INFINITY, deliver).find("printed=1 written=1"), std::string::npos);
}

}  // namespace
}  // namespace zur::reports
