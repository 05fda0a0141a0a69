#pragma once
// Printing a finished report file on the system printer, the PDF printer or the report
// viewer, with the options the operator's variables hold.

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/vars/var_store.h"

namespace zur::print {

struct SystemPrintSettings {
  std::string font;               // WinPtFont as stored (a Big5 family name); empty: the Ming face
  int landscape_offset = 0;       // WinPtOfset, 0 when not a number above 0
  int portrait_offset = 0;        // WinPrtOfst
  bool force_portrait = false;    // WinPortrait
  bool label = false;             // WinLabel
  std::string report_printer;     // DEF_ATI_PTR: destination or ipp:// address; empty: default
  std::string pdf_folder;         // DEF_PDF_PTR: the PDF printer's folder ("PDF" when empty), or a
                                  // destination of the scheduler that makes PDF files
  std::string job_name;           // MAIN_STR
  bool viewer_mode = false;       // Rpv_Mode
  bool viewer_to_server = false;  // RpvServer "Y"
  std::string viewer_server_dir;  // RpvSrvDir
  bool to_pdf = false;            // the memory flag PRINT_PDF
};

// The settings from the memory variables. Offsets above 99 (no dialog gives them) count as 99.
SystemPrintSettings SystemPrintSettingsFromVars(const VarStore& vars);

enum class SystemPrintStatus {
  kPrinted,     // on the printer, or written as a PDF
  kEmpty,       // an empty report: nothing printed
  kDelivered,   // copied into the viewer's server folder
  kViewerOpen,  // the viewer program was started on the file: it must stay where it is
  kFailed,
};

struct SystemPrintResult {
  SystemPrintStatus status = SystemPrintStatus::kFailed;
  std::filesystem::path pdf;  // the PDF written by the PDF printer
  int job_id = 0;             // the system printer's job
  std::string error;          // names the report and what went wrong
  bool ok() const { return status != SystemPrintStatus::kFailed; }
};

// Prints `report` (viewer mode first, then the PDF printer when `settings.to_pdf`, else the
// report printer). A relative PDF or server folder is taken from `working_dir`. The report file
// itself is never changed or removed here. `created` dates the PDF and names it; `progress`
// hears of each page drawn (pages done, pages in all).
SystemPrintResult SystemPrint(
    const std::filesystem::path& report, const SystemPrintSettings& settings,
    const std::filesystem::path& working_dir,
    std::chrono::system_clock::time_point created = std::chrono::system_clock::now(),
    const std::function<void(int done, int total)>& progress = {});

}  // namespace zur::print
