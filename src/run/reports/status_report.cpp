#include "lib/format/account_code.h"
#include "run/reports/checking_reports.h"
#include "run/reports/report_page.h"

namespace zur::reports {
namespace {

// The page heading and column headings of the status report; the print row goes to the first
// detail row.
void StatusHeadings(ReportPage& page, const ReportContext& ctx) {
  const int s = page.shift();
  page.Heading(ctx.gen_date_text);
  int r = 7;
  if (!ctx.tran_date_matches_cas) {
    page.Say(6, 0, "***  warning : Tran Date NOT MATCH with CCASS Stock report date  ***");
    r = 8;
  }
  page.Say(r, 21, "STK");
  page.Say(r, 28 + s, Hyphens(29) + " STOCK A/C STATUS " + Hyphens(29));
  page.Say(r, 106 + s, Hyphens(5 + s) + " ZUR GENERATED " + Hyphens(5 + s));
  page.Say(r + 1, 0, "STOCK NO & CODE");
  page.Say(r + 1, 22, "AC");
  page.Say(r + 1, 28 + s, "QTY ON CCASS");
  page.Say(r + 1, 43 + s, "CCASS OVERDUE");
  page.Say(r + 1, 62 + s, "PF NET QTY");
  page.Say(r + 1, 77 + s, "T+1 DUE QTY");
  page.Say(r + 1, 95 + s, "UNDUE QTY");
  page.Say(r + 1, 106 + s, "FROM");
  page.Say(r + 1, 112 + 2 * s, "TO");
  page.Say(r + 1, 119 + 2 * s, "TRANSFER QTY");
  page.Say(r + 2, 0,
           Hyphens(62 + s) + "(" + ctx.tran_date_text + ")" + Hyphens(6) + "(" +
               ctx.ntran_date_text + ")" + Hyphens(6) + "(" + ctx.setl_date_text + ")" +
               Hyphens(page.width() - 104 - s));
  page.row = r + 4;
}

bool PassedOver(const ReportRecord& r, bool is_main, bool ati_only) {
  const determine::Holding& h = r.holding;
  if (is_main && h.ccass == 0 && h.overdue == 0 && h.net == 0) return true;
  if (!ati_only) return false;
  if (is_main) return h.transferred == 0;
  auto blank = [](const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; };
  return blank(r.from) && blank(r.to) && r.transfer_qty == 0 && h.short_cover == 0 &&
         r.short_settled == 0 && r.short_unsettled == 0;
}

// The "(Insufficient Qty for Settlement" and "(Include T+1 Due Bought" notes below a line.
void Notes(ReportPage& page, const ReportRecord& r) {
  const int s = page.shift();
  const double ss = r.holding.short_cover;
  if (ss > 0 || r.short_settled > 0 || r.short_unsettled > 0) {
    const int n = page.row;
    page.Say(n, 24 + s, "(Insufficient Qty for Settlement");
    if (ss > 0) page.Say(n, 57 + s, Picture(-ss));
    if (r.short_settled == 0 && r.short_unsettled == 0) {
      page.Say(n, 72 + s, ")");
    } else {
      if (r.short_settled > 0) {
        page.Say(n, 73 + s, Picture(-r.short_settled));
        if (r.short_unsettled == 0) page.Say(n, 88 + s, ")");
      }
      if (r.short_unsettled > 0) {
        page.Say(n, 89 + s, Picture(-r.short_unsettled));
        page.Say(n, 104 + s, ")");
        if (r.due_bought > 0) ++page.row;
      }
    }
  }
  if (r.due_bought > 0)
    page.Say(page.row, 92 + s, "(Include T+1 Due Bought " + Picture(r.due_bought) + ")");
  if (ss > 0 || r.short_settled > 0 || r.short_unsettled > 0 || r.due_bought > 0) ++page.row;
}

}  // namespace

int StatusWidth(bool eight_digit) {
  return 131 + 3 * (eight_digit ? 6 : 0);
}

int PrintStatusReport(print::PrinterDevice& device, const print::PrinterKind& printer,
                      const ReportContext& ctx, const ReportRecords& records) {
  ReportPage page(
      device, ctx, StatusWidth(ctx.eight_digit),
      ctx.ati_only ? "ZUR STATUS REPORT -- REQUIRE ZUR STOCK ONLY" : "ZUR STATUS REPORT");
  const print::Pitch pitch = ctx.compress ? print::Pitch::k20 : print::Pitch::k15;
  device.Raw(print::PitchCode(printer, pitch, true));
  const int s = page.shift();
  const std::string main = format::FmtAcNum("01", ctx.eight_digit);
  std::string old_stock;
  bool printed = false;
  for (const ReportRecord& r : records) {
    const std::string account = format::FmtAcNum(r.account, ctx.eight_digit);
    const bool is_main = account == main;
    if (PassedOver(r, is_main, ctx.ati_only)) continue;
    if (page.page() == 0 || page.row >= 54) {
      StatusHeadings(page, ctx);
      old_stock.clear();
      printed = true;
    } else if (r.stock_no != old_stock) {
      ++page.row;
    }
    const int n = page.row;
    if (r.stock_no != old_stock) {
      page.Say(n, 0, r.stock_no + " " + r.stock);
      old_stock = r.stock_no;
    }
    page.Say(n, 22, account);
    page.Quantity(n, 25 + s, r.holding.ccass);
    if (is_main) page.Quantity(n, 41 + s, r.holding.overdue);
    page.Quantity(n, 57 + s, r.holding.net + r.holding.short_cover);
    if (!is_main) {
      page.Quantity(n, 73 + s, r.holding.due);
      page.Quantity(n, 89 + s, r.holding.undue);
    }
    const std::string from = format::FmtAcNum(r.from, ctx.eight_digit);
    const std::string to = format::FmtAcNum(r.to, ctx.eight_digit);
    if (!NoAccount(from)) page.Say(n, 107 + s, from);
    if (!NoAccount(to)) page.Say(n, 112 + 2 * s, to);
    if (r.transfer_qty != 0) page.Say(n, 116 + 3 * s, Picture(r.transfer_qty));
    page.row = n + 1;
    Notes(page, r);
  }
  if (printed) {
    page.End();
  } else {
    StatusHeadings(page, ctx);
    page.row += 5;
    page.Centre(page.row, "** There is no ZUR record generated in current day **");
    page.EndLine(page.row + 2);
    page.Eject();
  }
  device.Raw(print::PitchCode(printer, pitch, false));
  return page.page();
}

}  // namespace zur::reports
