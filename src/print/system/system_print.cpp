#include "print/system/system_print.h"

#include <algorithm>
#include <cmath>

#include "lib/text/trim_pad.h"
#include "platform/pdf/print_text_file.h"
#include "platform/pdf/report_viewer.h"
#include "print/destinations/destinations.h"

namespace zur::print {
namespace fs = std::filesystem;
namespace {

constexpr int kMaxOffset = 99;

std::string Text(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v && v->IsChar() ? std::string(text::AllTrim(v->str())) : std::string();
}

bool Flag(const VarStore& vars, std::string_view name) {
  return vars.Get(name).IsTrue();
}

int Offset(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  if (!v || !v->IsNum() || !(v->num() > 0)) return 0;
  return static_cast<int>(std::min(std::floor(v->num()), static_cast<double>(kMaxOffset)));
}

fs::path InWorkingDir(const fs::path& working_dir, const std::string& folder) {
  std::string native = folder;
  std::replace(native.begin(), native.end(), '\\', '/');
  const fs::path p = native;
  return p.is_absolute() || working_dir.empty() ? p : working_dir / p;
}

}  // namespace

SystemPrintSettings SystemPrintSettingsFromVars(const VarStore& vars) {
  SystemPrintSettings s;
  s.font = Text(vars, "WinPtFont");
  s.landscape_offset = Offset(vars, "WinPtOfset");
  s.portrait_offset = Offset(vars, "WinPrtOfst");
  s.force_portrait = Flag(vars, "WinPortrait");
  s.label = Flag(vars, "WinLabel");
  s.report_printer = Text(vars, "DEF_ATI_PTR");
  s.pdf_folder = Text(vars, "DEF_PDF_PTR");
  s.job_name = Text(vars, "MAIN_STR");
  s.viewer_mode = Flag(vars, "Rpv_Mode");
  s.viewer_to_server = Text(vars, "RpvServer") == "Y";
  s.viewer_server_dir = Text(vars, "RpvSrvDir");
  s.to_pdf = Flag(vars, "PRINT_PDF");
  return s;
}

SystemPrintResult SystemPrint(const fs::path& report, const SystemPrintSettings& settings,
                              const fs::path& working_dir,
                              std::chrono::system_clock::time_point created,
                              const std::function<void(int, int)>& progress) {
  SystemPrintResult result;
  if (settings.viewer_mode) {
    pdf::ViewerHandover handover;
    handover.report = report;
    // The server folder when it stands or can be made, else the viewer program.
    if (settings.viewer_to_server && !settings.viewer_server_dir.empty()) {
      const fs::path folder = InWorkingDir(working_dir, settings.viewer_server_dir);
      std::error_code ec;
      fs::create_directories(folder, ec);
      handover.to_server = fs::is_directory(folder, ec);
      handover.server_dir = folder.string();
    }
    result.error = pdf::HandOverToViewer(handover);
    if (result.error.empty())
      result.status =
          handover.to_server ? SystemPrintStatus::kDelivered : SystemPrintStatus::kViewerOpen;
    return result;
  }

  pdf::PrintJob job;
  job.text_file = report;
  job.font_big5 = settings.font;
  job.layout.landscape_offset = settings.landscape_offset;
  job.layout.portrait_offset = settings.portrait_offset;
  job.layout.force_portrait = settings.force_portrait;
  job.layout.label = settings.label;
  job.to_pdf = settings.to_pdf;
  job.pdf_dir = InWorkingDir(
      working_dir, settings.pdf_folder.empty() ? std::string("PDF") : settings.pdf_folder);
  job.printer = settings.report_printer;
  // The PDF printer may be a destination of the scheduler that makes PDF files.
  if (job.to_pdf) {
    if (std::optional<std::string> dest = PdfDestinationOf(settings.pdf_folder, working_dir)) {
      job.to_pdf = false;
      job.printer = *dest;
    }
  }
  job.job_name = settings.job_name;
  job.created = created;
  job.progress = progress;
  pdf::PrintResult printed = pdf::PrintTextFile(job);
  result.pdf = printed.pdf;
  result.job_id = printed.job_id;
  result.error = std::move(printed.error);
  switch (printed.status) {
    case pdf::PrintStatus::kPrinted:
      result.status = SystemPrintStatus::kPrinted;
      break;
    case pdf::PrintStatus::kEmpty:
      result.status = SystemPrintStatus::kEmpty;
      break;
    case pdf::PrintStatus::kFailed:
      result.status = SystemPrintStatus::kFailed;
      break;
  }
  return result;
}

}  // namespace zur::print
