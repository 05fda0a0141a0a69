#include "segac/segac_report.h"

#include <fmt/format.h>

#include "lib/text/setting_match.h"
#include "lib/text/trim_pad.h"

namespace zur::segac {
namespace {

constexpr int kWidth = 80;
constexpr int kLastRow = 54;
constexpr int kFirstDetailRow = 8;

class Page {
 public:
  Page(print::PrinterDevice& device, const reports::ReportContext& context)
      : device_(device), ctx_(context) {}

  int number() const { return page_; }
  int row = 0;

  void Say(int r, int col, std::string_view text) { device_.Say(r, col, text); }
  void Centre(int r, std::string_view text) {
    const int len = static_cast<int>(text.size());
    Say(r, len >= kWidth ? 0 : (kWidth - len) / 2, text);
  }

  void Heading() {
    if (++page_ > 1) device_.Eject();
    Centre(1, text::AllTrim(ctx_.co_name));
    if (text::SettingIs(ctx_.site, "LETURA") && device_.Col() < kWidth - 19)
      Say(1, kWidth - 19, "Print on: " + ctx_.today_text);
    Say(2, 0, "Tran Date: ");
    Say(2, 11, ctx_.today_text);
    Centre(2, text::AllTrim(ctx_.system));
    Say(2, kWidth - 15, "Time: " + ctx_.time_of_day);
    Centre(3, kReportTitle);
    Say(3, kWidth - 15, fmt::format("Page: {:>3}", page_));
    Say(5, 0, "CLIENT A/C NO & NAME");
    Say(5, 40, "SEGREGATED A/C");
    Say(6, 0, std::string(kWidth, '-'));
    row = kFirstDetailRow;
  }

  void End() {
    Say(row + 1, (kWidth - 19) / 2, "** END OF REPORT **");
    device_.Eject();
  }

 private:
  print::PrinterDevice& device_;
  const reports::ReportContext& ctx_;
  int page_ = 0;
};

}  // namespace

int PrintSegacReport(dbf::Table& clients, const ClientFields& fields, print::PrinterDevice& device,
                     const reports::ReportContext& context) {
  Page page(device, context);
  for (clients.GoTop(); !clients.Eof(); clients.Skip()) {
    if (clients.Deleted() || text::IsBlank(clients.Raw(fields.segac))) continue;
    if (page.number() == 0 || page.row > kLastRow) page.Heading();
    const std::string_view acct = clients.Raw(fields.acct);
    const std::string line = std::string(acct) + " " + std::string(clients.Raw(fields.name));
    page.Say(page.row, 0, text::RTrim(line));
    page.Say(page.row, 45, text::RTrim(clients.Raw(fields.segac)));
    const std::string_view name2 = clients.Raw(fields.name2);
    if (!text::IsBlank(name2)) {
      ++page.row;
      page.Say(page.row, static_cast<int>(acct.size()) + 1, text::RTrim(name2));
    }
    ++page.row;
  }
  if (page.number() > 0) page.End();
  return page.number();
}

}  // namespace zur::segac
