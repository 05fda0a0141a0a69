#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/pdf/page_layout.h"

namespace zur::pdf {

// One report text file to print.
struct PrintJob {
  std::filesystem::path text_file;
  std::string font_big5;  // font family as the settings name it; empty: default Ming
  LayoutOptions layout;
  bool to_pdf = false;
  std::filesystem::path pdf_dir;  // PDF printer folder; empty: "PDF" in the working directory
  std::string printer;            // system printer: destination or ipp:// address; empty: default
  std::string job_name;           // "SHORTAGE", "STATUS" and the like
  std::chrono::system_clock::time_point created = std::chrono::system_clock::now();
  std::function<void(int done, int total)> progress;  // after each page drawn
};

enum class PrintStatus { kPrinted, kEmpty, kFailed };

struct PrintResult {
  PrintStatus status = PrintStatus::kFailed;
  std::filesystem::path pdf;  // the PDF written (PDF printer only)
  int job_id = 0;             // the system printer's job
  std::string error;          // names the file and what went wrong
};

// Prints the report. The text file itself is never removed or changed: on a
// failure the caller keeps it and tells the operator.
PrintResult PrintTextFile(const PrintJob& job);

// The PDF printer's file name for a report: its job name (else the report file's name) and
// the time, "STATUS_20261208_183005.pdf".
std::string PdfFileName(const PrintJob& job);

}  // namespace zur::pdf
