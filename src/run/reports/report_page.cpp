#include "run/reports/report_page.h"

#include <fmt/format.h>
#include <cmath>
#include <cstdint>

#include "lib/text/setting_match.h"

namespace zur::reports {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string Picture(double value) {
  constexpr int kWidth = 15;
  if (!std::isfinite(value) || std::fabs(value) >= 1e15) return std::string(kWidth, '*');
  const int64_t whole = std::llround(value);
  std::string digits = std::to_string(whole < 0 ? -whole : whole);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  if (whole < 0) grouped.insert(0, "-");
  if (grouped.size() > kWidth) return std::string(kWidth, '*');
  return std::string(kWidth - grouped.size(), ' ') + grouped;
}

bool NoAccount(std::string_view code) {
  return Trim(code).empty() || code == "00000000";
}

std::string Hyphens(int n) {
  return std::string(static_cast<size_t>(n > 0 ? n : 0), '-');
}

std::string TitleFor(std::string title, std::string_view system_key) {
  if (Trim(system_key) == "SAS") title += " - SAS";
  if (Trim(system_key) == "SZMK") title += " - SZMK";
  return title;
}

ReportPage::ReportPage(print::PrinterDevice& device, const ReportContext& context, int width,
                       std::string title)
    : device_(device),
      ctx_(context),
      width_(width),
      shift_(context.eight_digit ? 6 : 0),
      title_(TitleFor(std::move(title), context.system_key)) {}

void ReportPage::Centre(int r, std::string_view text) {
  const int len = static_cast<int>(text.size());
  Say(r, len >= width_ ? 0 : (width_ - len) / 2, text);
}

void ReportPage::Quantity(int r, int col, double value) {
  if (value == 0)
    Say(r, col + 14, "-");
  else
    Say(r, col, Picture(value));
}

void ReportPage::OverdueNote(int r) {
  if (ctx_.skip_unstl) Say(r, 0, "** This report does not include CCASS OVERDUE QTY.");
}

void ReportPage::Heading(std::string_view gen_date) {
  ++page_;
  if (page_ > 1) {
    OverdueNote(row + 2);
    device_.Eject();
  }
  Say(1, 0, " ");
  Centre(1, Trim(ctx_.co_name));
  if (text::SettingIs(ctx_.site, "LETURA") && device_.Col() < width_ - 19)
    Say(1, width_ - 19, "Print on: " + ctx_.today_text);
  Say(2, 0, "Tran Date: ");
  Say(2, 11, ctx_.tran_date_dmyy);
  Centre(2, Trim(ctx_.system));
  Say(2, width_ - 15, "Time: " + ctx_.time_of_day);
  Say(3, 0, "Setl Date: ");
  Say(3, 11, ctx_.setl_date_dmyy);
  Centre(3, title_);
  Say(3, width_ - 15, fmt::format("Page: {:>3}", page_));
  const std::string run_on = "CCASS STOCK REPORT run on " + ctx_.cas_date + " " + ctx_.cas_time;
  Say(5, 0, run_on);
  Say(5, static_cast<int>(run_on.size()) + 5,
      "TRANSMISSION DATE (to be uploaded on) " + std::string(gen_date));
  row = 5;
}

void ReportPage::End() {
  EndLine(row + 1);
  OverdueNote(row + 2);
  device_.Eject();
}

}  // namespace zur::reports
