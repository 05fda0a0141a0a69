#include "platform/pdf/print_text_file.h"

#include <fmt/format.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <optional>

#include "platform/pdf/cups_submit.h"
#include "platform/pdf/font_map.h"
#include "platform/pdf/pdf_render.h"
#include "platform/pdf/report_file.h"

namespace zur::pdf {
namespace {

// Reports are small text files; anything past this is not a report.
constexpr std::uintmax_t kMaxReportBytes = 256u << 20;

// Counts the pages a layout makes.
class PageCount : public PageSink {
 public:
  int pages = 1;
  void Piece(int, int, std::string_view) override {}
  void NextPage() override { ++pages; }
  bool WantsPieces() const override { return false; }
};

// Places every line of the report on `sink`; with `width`, measures the report as it goes.
void LayOut(ReportFile& report, const PageSetup& setup, bool label, PageSink& sink,
            int* width = nullptr) {
  report.Rewind();
  PageLayout layout(setup, label, sink);
  std::string_view line;
  bool last = false;
  for (size_t i = 0; report.Next(line, last); ++i) {
    if (width != nullptr) MeasureLine(line, i, *width);
    layout.Line(line, last);
  }
}

std::string SafeName(std::string_view s) {
  std::string out;
  for (char c : s) {
    const bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                    c == '-' || c == '_';
    out.push_back(ok ? c : '_');
  }
  return out;
}

}  // namespace

std::string PdfFileName(const PrintJob& job) {
  std::time_t secs = std::chrono::system_clock::to_time_t(job.created);
  std::tm tm{};
  localtime_r(&secs, &tm);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d_%H%M%S", &tm);
  const std::string name = job.job_name.empty() ? job.text_file.stem().string() : job.job_name;
  return fmt::format("{}_{}.pdf", SafeName(name), stamp);
}

PrintResult PrintTextFile(const PrintJob& job) {
  PrintResult result;
  ReportFile report(job.text_file);
  if (!report.error().empty()) {
    result.error = report.error();
    return result;
  }
  if (report.size() > kMaxReportBytes) {
    result.error = fmt::format("cannot print report {}: {} bytes is too large for a report",
                               job.text_file.string(), report.size());
    return result;
  }
  if (report.size() == 0) {
    result.status = PrintStatus::kEmpty;
    return result;
  }
  // A printer that cannot be found is known before anything is drawn for it.
  std::optional<PrintDestination> destination;
  if (!job.to_pdf) {
    destination.emplace(job.printer);
    if (!destination->found()) {
      result.error =
          fmt::format("cannot print report {}: {}", job.text_file.string(), destination->error());
      return result;
    }
  }
  // A first pass measures the report and counts its pages (the progress shows the share of
  // them drawn), the second draws them.
  int width = 0;
  PageCount count;
  LayOut(report, PageSetup{}, job.layout.label, count, &width);
  if (!report.error().empty()) {
    result.error = report.error();
    return result;
  }
  const PageSetup setup = ChoosePageSetup(width, job.layout);
  const auto lay_out = [&](PageSink& sink) { LayOut(report, setup, job.layout.label, sink); };
  RenderOptions render;
  render.font_family = InstalledFontFamily(job.font_big5);
  render.title = job.job_name.empty() ? job.text_file.filename().string() : job.job_name;
  render.created = job.created;
  render.progress = job.progress;

  if (job.to_pdf) {
    const std::filesystem::path dir =
        job.pdf_dir.empty() ? std::filesystem::path("PDF") : job.pdf_dir;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir)) {
      result.error =
          fmt::format("cannot print report {}: PDF folder {} cannot be made ({})",
                      job.text_file.string(), dir.string(), ec ? ec.message() : "not a folder");
      return result;
    }
    // Two reports of one name in one second: the second gets "_2" and so on.
    auto out = dir / PdfFileName(job);
    const std::string base = out.stem().string();
    for (int n = 2; std::filesystem::exists(out, ec) && n < 1000; ++n)
      out = dir / fmt::format("{}_{}.pdf", base, n);
    result.error = RenderPdf(lay_out, count.pages, setup, render, out);
    if (result.error.empty() && !report.error().empty()) result.error = report.error();
    if (!result.error.empty()) {
      result.error =
          fmt::format("cannot print report {}: {}", job.text_file.string(), result.error);
      return result;
    }
    result.pdf = out;
    result.status = PrintStatus::kPrinted;
    return result;
  }

  // A system printer gets a PDF made in a private spool file.
  std::string tmpl = (std::filesystem::temp_directory_path() / "zur-print-XXXXXX.pdf").string();
  int fd = ::mkstemps(tmpl.data(), 4);
  if (fd < 0) {
    result.error = fmt::format("cannot print report {}: no spool file ({})", job.text_file.string(),
                               std::strerror(errno));
    return result;
  }
  ::close(fd);
  const std::filesystem::path spool = tmpl;
  std::string err = RenderPdf(lay_out, count.pages, setup, render, spool);
  if (err.empty()) err = report.error();
  if (err.empty()) {
    SubmitResult sent = SubmitPdf({spool, job.printer, render.title}, *destination);
    err = sent.error;
    result.job_id = sent.job_id;
  }
  std::error_code ec;
  std::filesystem::remove(spool, ec);
  if (!err.empty()) {
    result.error = fmt::format("cannot print report {}: {}", job.text_file.string(), err);
    return result;
  }
  result.status = PrintStatus::kPrinted;
  return result;
}

}  // namespace zur::pdf
