// The checking reports at the end of whole runs: PDF files from the program itself, the system
// printer reached through an IPP address, and reports that cannot be printed.
#include <sys/wait.h>

#include <cstdlib>

#include "platform/pdf/tests/fake_ipp_printer.h"
#include "platform/pdf/tests/tool_runner.h"
#include "run/driver/backoffice_settings.h"
#include "run/driver/tests/e2e_fixture.h"

namespace zur::driver::testing {
namespace {

namespace fs = std::filesystem;
using pdf::testing::HaveTool;
using pdf::testing::ReadAll;
using pdf::testing::RunTool;
using ::testing::HasSubstr;

using dbf::testing::FilesIn;

// A scratch copy of examples/broker and `zur check` run in it at a fixed time of printing.
class SampleBrokerRun {
 public:
  SampleBrokerRun() {
    fs::copy(fs::path(ZUR_SOURCE_DIR) / "examples" / "broker", dir_.path(),
             fs::copy_options::recursive);
  }
  int Check(const std::string& options) {
    const std::string command = "cd '" + dir_.path().string() +
                                "' && TZ=UTC0 SOURCE_DATE_EPOCH=1796000000 '" + ZUR_BINARY +
                                "' check --gen-date 08/12/2026 " + options + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  fs::path operator/(const std::string& name) const { return dir_ / name; }
  const fs::path& path() const { return dir_.path(); }
  std::string Read(const std::string& name) const { return ReadAll(dir_ / name); }

 private:
  dbf::testing::TempDir dir_;
};

TEST(SampleBrokerReports, PdfPrinterLeavesBothReportsReproducibly) {
  if (!HaveTool("pdfinfo") || !HaveTool("pdftotext"))
    GTEST_SKIP() << "poppler-utils not installed (scripts/setup)";
  SampleBrokerRun run;
  ASSERT_EQ(run.Check("--pdf --keep-reports kept"), 0) << run.Read("err.txt");
  EXPECT_EQ(run.Read("out.txt"),
            "CCASS ZUR Upload File ZURFILE.TXT is generated !\n"
            "CCASS STI Upload File STIFILE.TXT is generated !\n");
  EXPECT_THAT(run.Read("err.txt"), Not(HasSubstr("WARNING")));
  const std::vector<fs::path> pdfs = FilesIn(run / "PDF");
  ASSERT_EQ(pdfs.size(), 2u);
  EXPECT_EQ(pdfs[0].filename().string().substr(0, 9), "SHORTAGE_");
  EXPECT_EQ(pdfs[1].filename().string().substr(0, 7), "STATUS_");
  for (const fs::path& pdf : pdfs) {
    const std::string info = RunTool("pdfinfo", "", pdf);
    EXPECT_THAT(info, HasSubstr("Pages:           1"));
    EXPECT_THAT(info, HasSubstr("841.89 x 595.276"));  // A4 landscape
  }
  const std::string shortage = RunTool("pdftotext", "-layout", pdfs[0]);
  EXPECT_THAT(shortage, HasSubstr("STOCK SHORTAGE REPORT"));
  EXPECT_THAT(shortage, HasSubstr("SAMPLE SECURITIES LTD"));
  EXPECT_THAT(shortage, HasSubstr("CCASS ZUR Talvero (Ver 7.00g+)"));
  EXPECT_THAT(shortage, HasSubstr("11 HANG SENG BANK"));
  EXPECT_THAT(shortage, HasSubstr("-2,000"));
  const std::string status = RunTool("pdftotext", "-layout", pdfs[1]);
  EXPECT_THAT(status, HasSubstr("ZUR STATUS REPORT"));
  EXPECT_THAT(status, HasSubstr("700 TENCENT"));
  EXPECT_THAT(status, HasSubstr("(Insufficient Qty for Settlement"));

  // The report texts were kept; the audit folder keeps nothing once printed.
  const std::string kept_shortage = run.Read("kept/SHORTAGE.TXT");
  // HANG SENG BANK: 1,000 on CCASS, 3,000 overdue to deliver, nothing moved or due: short
  // 2,000. The 8-digit accounts shift the columns by 6; the report is 126 columns wide.
  std::string line(126, ' ');
  auto at = [&line](size_t col, const std::string& text) { line.replace(col, text.size(), text); };
  at(0, "   11 HANG SENG BANK");  // the stock key: the number right-justified in 5
  at(22, "00000001");
  at(31, "          1,000");
  at(47, "         -3,000");
  at(77, "-");
  at(93, "-");
  at(109, "-");
  at(111, "         -2,000");
  EXPECT_THAT(kept_shortage, HasSubstr("\r\n" + line + "\r\n"));
  // Dates in the hyphen row as dd/mm/yy, the row as wide as the report.
  EXPECT_THAT(kept_shortage,
              HasSubstr("\r\n" + std::string(84, '-') + "(09/12/26)------(10/12/26)" +
                        std::string(16, '-') + "\r\n"));
  // Every line ends with CR LF.
  for (size_t nl = kept_shortage.find('\n'); nl != std::string::npos;
       nl = kept_shortage.find('\n', nl + 1)) {
    ASSERT_TRUE(nl > 0 && kept_shortage[nl - 1] == '\r') << "a line feed without CR at " << nl;
  }
  EXPECT_THAT(run.Read("kept/STATUS.TXT"), HasSubstr("ZUR STATUS REPORT"));
  EXPECT_TRUE(FilesIn(run / "SBAUDIT").empty());
  ExpectOutputsAsKept(run.path(), "sample_broker");

  // The same run at the same time gives the same files, byte for byte.
  SampleBrokerRun again;
  ASSERT_EQ(again.Check("--pdf"), 0) << again.Read("err.txt");
  const std::vector<fs::path> second = FilesIn(again / "PDF");
  ASSERT_EQ(second.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(second[i].filename(), pdfs[i].filename());
    EXPECT_TRUE(ReadAll(second[i]) == ReadAll(pdfs[i])) << second[i];
  }
}

// The upload files stand; the status says a report is not printed (3), after the warnings.
TEST(SampleBrokerReports, AnUnwritablePdfFolderKeepsTheReportsAndTheStatusSaysSo) {
  SampleBrokerRun run;
  std::ofstream(run / "PDF") << "a file where the PDF folder should be";
  ASSERT_EQ(run.Check("--pdf"), kCheckReportsKept) << run.Read("err.txt");
  EXPECT_THAT(run.Read("out.txt"), HasSubstr("CCASS ZUR Upload File ZURFILE.TXT is generated !"));
  EXPECT_EQ(fs::file_size(run / "ZURFILE.TXT"), 7u * 101);

  const std::vector<fs::path> kept = FilesIn(run / "SBAUDIT");
  ASSERT_EQ(kept.size(), 2u);
  const std::string err = run.Read("err.txt");
  for (const fs::path& report : kept) EXPECT_THAT(err, HasSubstr(report.string()));
  EXPECT_THAT(err, HasSubstr("WARNING: \"STOCK SHORTAGE REPORT\" is not printed"));
  EXPECT_THAT(err, HasSubstr("WARNING: \"ZUR STATUS REPORT\" is not printed"));
  EXPECT_THAT(ReadAll(kept[0]) + ReadAll(kept[1]), HasSubstr("HANG SENG BANK"));
}

// Through the system printer at an IPP address, with a Chinese company name.
TEST_F(EndToEndTest, SystemPrinterGetsBothReportsAsPdfJobs) {
  pdf::testing::FakeIppPrinter printer;
  ASSERT_TRUE(printer.ok());
  // The back office keeps the company name scrambled; this one ends in Chinese (Big5).
  const std::string big5_name = "\xa4\xa4\xb0\xea\xc3\xd2\xa8\xe9";
  spec.backoffice_vars = {{"CO_NAME", Value(Encode("TALVERO " + big5_name))}};
  spec.saved_vars.emplace_back("DEF_ATI_PTR", Value(printer.Uri()));
  spec.stocks = {Stock("11", "HANG SENG BANK", "HK0011000095")};
  spec.report = BalanceReportTwoDigit({{"0011", {{"01", "1,000"}}}}) +
                SettlementReport({{"0011", "-3,000", ""}});
  pdf = false;
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  EXPECT_TRUE(op.Matching("warn:").empty()) << Events();
  EXPECT_EQ(printer.jobs(), 2);
  const std::string document = printer.Document();  // the status report, printed last
  ASSERT_EQ(document.substr(0, 5), "%PDF-");
  if (HaveTool("pdftotext")) {
    const fs::path copy = dir / "received.pdf";
    std::ofstream(copy, std::ios::binary) << document;
    const std::string text = RunTool("pdftotext", "-layout", copy);
    EXPECT_THAT(text, HasSubstr("ZUR STATUS REPORT"));
    EXPECT_THAT(text, HasSubstr("TALVERO \xe4\xb8\xad\xe5\x9c\x8b\xe8\xad\x89\xe5\x88\xb8"))
        << text;
  }
  EXPECT_FALSE(Exists("PDF"));
}

// "ATIConfig.dat" names the printer and where its port leads, for the batch run as on screen.
TEST_F(EndToEndTest, ALinePrinterOnThePortOfTheConfigurationFile) {
  spec.saved_vars.emplace_back("DEF_CUR_PTR", Value("EPSON"));
  spec.stocks = {Stock("11", "HANG SENG BANK", "HK0011000095")};
  spec.report = BalanceReportTwoDigit({{"0011", {{"01", "1,000"}}}}) +
                SettlementReport({{"0011", "-3,000", ""}});
  pdf = false;
  Write();
  const fs::path device = dir / "lp1";
  std::ofstream(device) << "";
  std::ofstream(dir / "ATIConfig.dat")
      << "<ATIConfig><Settings>\r\n"
         "<Setting><Name>PRINT_NAME</Name><Value>LPT2</Value></Setting>\r\n"
         "<Setting><Name>PORT_LPT2</Name><Value>"
      << device.string() << "</Value></Setting>\r\n</Settings></ATIConfig>\r\n";
  ASSERT_EQ(Check(), 0) << Events();
  EXPECT_TRUE(op.Matching("warn:").empty()) << Events();
  EXPECT_TRUE(op.Matching("line22:").empty()) << Events();  // no fallback to a file
  const std::string printed = ReadAll(device);
  EXPECT_THAT(printed, HasSubstr("STOCK SHORTAGE REPORT"));
  EXPECT_THAT(printed, HasSubstr("ZUR STATUS REPORT"));
}

}  // namespace
}  // namespace zur::driver::testing
