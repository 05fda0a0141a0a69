#pragma once
// The page frame shared by the two checking reports: page counter, print row, width, title,
// the page heading and the end of a report.

#include <string>
#include <string_view>

#include "print/device/printer_device.h"
#include "run/reports/report_data.h"

namespace zur::reports {

// "999,999,999,999": 15 characters, right-aligned, commas, "-" for negatives; asterisks when
// the whole number does not fit.
std::string Picture(double value);

class ReportPage {
 public:
  ReportPage(print::PrinterDevice& device, const ReportContext& context, int width,
             std::string title);

  int page() const { return page_; }
  int width() const { return width_; }
  int shift() const { return shift_; }
  int row = 0;  // N: the next print row

  void Say(int r, int col, std::string_view text) { device_.Say(r, col, text); }
  void Centre(int r, std::string_view text);
  // A quantity at `col`: the picture, or a single "-" at col + 14 when it is zero.
  void Quantity(int r, int col, double value);

  // Ends the page before (from the second page on, with the overdue note when no settlement
  // report was read) and prints rows 1 to 5 of the heading. `gen_date` follows "TRANSMISSION
  // DATE (to be uploaded on) ".
  void Heading(std::string_view gen_date);
  // The end line, then the overdue note below it when no settlement report was read; the page
  // is ended. The end line comes first: addressing a row above the current one would start a
  // new page on the printer.
  void End();
  void EndLine(int r) { Say(r, (width_ - 19) / 2, "** END OF REPORT **"); }
  // The overdue note at `r` when no settlement report was read.
  void OverdueNote(int r);
  void Eject() { device_.Eject(); }

 private:
  print::PrinterDevice& device_;
  const ReportContext& ctx_;
  int width_;
  int shift_;
  std::string title_;
  int page_ = 0;
};

// An account column left blank: no code, or the empty code "00000000" of the 8-character format.
bool NoAccount(std::string_view code);
// A run of `n` hyphens (none when n <= 0).
std::string Hyphens(int n);
// The title with the product suffix of SYSTEM_KEY ("SAS", "SZMK").
std::string TitleFor(std::string title, std::string_view system_key);

}  // namespace zur::reports
