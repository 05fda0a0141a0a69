#include "lib/format/account_code.h"
#include "run/reports/checking_reports.h"
#include "run/reports/report_page.h"

namespace zur::reports {
namespace {

void ShortageHeadings(ReportPage& page, const ReportContext& ctx) {
  const int s = page.shift();
  page.Heading(ctx.gen_date_dmyy);
  page.Say(7, 21, "STK");
  page.Say(7, 65 + s, "CURRENT");
  page.Say(7, 112 + s, "SHORTAGE");
  page.Say(8, 0, "STOCK NO & CODE");
  page.Say(8, 22, "AC");
  page.Say(8, 28 + s, "QTY ON CCASS");
  page.Say(8, 43 + s, "CCASS OVERDUE");
  page.Say(8, 61 + s, "ZUR +/- QTY");
  page.Say(8, 77 + s, "T+1 DUE QTY");
  page.Say(8, 95 + s, "UNDUE QTY");
  page.Say(8, 112 + s, "QUANTITY");
  page.Say(9, 0,
           Hyphens(78 + s) + "(" + ctx.ntran_date_text + ")" + Hyphens(6) + "(" +
               ctx.setl_date_text + ")" + Hyphens(page.width() - 104 - s));
  page.row = 11;
}

}  // namespace

int ShortageWidth(bool eight_digit) {
  return 120 + (eight_digit ? 6 : 0);
}

int PrintShortageReport(print::PrinterDevice& device, const print::PrinterKind& printer,
                        const ReportContext& ctx, const ReportRecords& records) {
  ReportPage page(device, ctx, ShortageWidth(ctx.eight_digit), "STOCK SHORTAGE REPORT");
  const int s = page.shift();
  const std::string main = format::FmtAcNum("01", ctx.eight_digit);
  for (const ReportRecord& r : records) {
    if (format::FmtAcNum(r.account, ctx.eight_digit) != main) continue;
    const determine::Shortage shortage = determine::ShortageOf(r.holding);
    if (!shortage.is_short) continue;
    if (page.page() == 0) {
      if (ctx.compress) device.Raw(print::PitchCode(printer, print::Pitch::k17, true));
    }
    if (page.page() == 0 || page.row > 54) ShortageHeadings(page, ctx);
    const int n = page.row;
    page.Say(n, 0, r.stock_no + " " + r.stock);
    const std::string account = format::FmtAcNum(r.account, ctx.eight_digit);
    if (!NoAccount(account)) page.Say(n, 22, account);
    page.Quantity(n, 25 + s, r.holding.ccass);
    page.Quantity(n, 41 + s, r.holding.overdue);
    page.Quantity(n, 57 + s, r.holding.transferred);
    page.Quantity(n, 73 + s, r.holding.due);
    page.Quantity(n, 89 + s, r.holding.undue);
    page.Say(n, 105 + s, Picture(shortage.quantity));
    page.row = n + 1;
  }
  if (page.page() > 0) {
    page.End();
    if (ctx.compress) device.Raw(print::PitchCode(printer, print::Pitch::k17, false));
  }
  return page.page();
}

std::vector<std::string> EndOfRunMessages(std::string_view ati_text, std::string_view sti_text,
                                          bool eight_digit) {
  std::vector<std::string> lines{"CCASS ZUR Upload File " + std::string(ati_text) +
                                 " is generated !"};
  if (eight_digit)
    lines.push_back("CCASS STI Upload File " + std::string(sti_text) + " is generated !");
  return lines;
}

}  // namespace zur::reports
