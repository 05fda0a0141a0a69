#include "platform/pdf/print_text_file.h"

#include <fmt/format.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

#include "platform/pdf/cups_submit.h"
#include "platform/pdf/font_map.h"
#include "platform/pdf/pdf_render.h"

namespace zur::pdf {
namespace {

// Reports are small text files; anything past this is not a report.
constexpr std::uintmax_t kMaxReportBytes = 256u << 20;

bool ReadReport(const std::filesystem::path& path, std::string& text, std::string& error) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    error = fmt::format("cannot read report {}: {}", path.string(), ec.message());
    return false;
  }
  if (size > kMaxReportBytes) {
    error = fmt::format("cannot print report {}: {} bytes is too large for a report", path.string(),
                        size);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buf;
  buf << in.rdbuf();
  if (!in && !in.eof() && size > 0) {
    error = fmt::format("cannot read report {}", path.string());
    return false;
  }
  text = std::move(buf).str();
  return true;
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
  std::string text;
  if (!ReadReport(job.text_file, text, result.error)) return result;
  if (text.empty()) {
    result.status = PrintStatus::kEmpty;
    return result;
  }
  const auto lines = ReadLines(text);
  const PageSetup setup = ChoosePageSetup(MeasureReportWidth(lines), job.layout);
  const auto pages = LayOutPages(lines, setup, job.layout.label);
  RenderOptions render{InstalledFontFamily(job.font_big5),
                       job.job_name.empty() ? job.text_file.filename().string() : job.job_name,
                       job.created, job.progress};

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
    result.error = RenderPdf(pages, setup, render, out);
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
  std::string err = RenderPdf(pages, setup, render, spool);
  if (err.empty()) {
    SubmitResult sent = SubmitPdf({spool, job.printer, render.title});
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
