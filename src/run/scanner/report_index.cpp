#include "run/scanner/report_index.h"

namespace zur::scanner {
namespace {

ReportRow StartRun(const PageRow& page) {
  return ReportRow{page.name, page.date, page.time.substr(0, kReportTimeWidth), page.page};
}

}  // namespace

std::vector<ReportRow> BuildReportIndex(const std::vector<PageRow>& pages) {
  std::vector<ReportRow> reports;
  ReportRow run = pages.empty() ? ReportRow{} : StartRun(pages.front());
  for (const PageRow& page : pages) {
    if (page.name != run.name) {
      reports.push_back(run);
      run = StartRun(page);
    }
    run.last_page = page.page;
  }
  reports.push_back(run);
  return reports;
}

}  // namespace zur::scanner
