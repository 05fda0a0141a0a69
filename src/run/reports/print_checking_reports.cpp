#include "run/reports/print_checking_reports.h"

#include <fmt/format.h>

#include <chrono>
#include <ctime>

#include "lib/format/account_code.h"
#include "lib/format/date_text.h"
#include "lib/text/trim_pad.h"
#include "platform/expr/date_text.h"
#include "run/reports/checking_reports.h"

namespace zur::reports {
namespace {

std::string TextOf(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v ? std::string(v->StrOr()) : std::string();
}

Date DateOf(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v && v->IsDate() ? v->date() : Date();
}

bool Yes(const VarStore& vars, std::string_view name) {
  return text::RTrim(TextOf(vars, name)) == "Y";
}

}  // namespace

ReportClock ReportClock::Now() {
  return At(std::chrono::system_clock::now());
}

ReportClock ReportClock::At(std::chrono::system_clock::time_point when) {
  const std::time_t secs = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  localtime_r(&secs, &local);
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  const std::optional<Date> day =
      Date::FromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return {day.value_or(Date::Today()), text};
}

std::vector<ReportRecord> ReadReportRecords(dbf::Table& atimast) {
  std::vector<ReportRecord> records;
  for (const ReportRecord& r : ReportRecords(atimast)) records.push_back(r);
  return records;
}

ReportContext ContextFromVars(const VarStore& vars, const ReportClock& clock) {
  ReportContext c;
  c.co_name = TextOf(vars, "CO_NAME");
  c.system = TextOf(vars, "SYSTEM");
  c.system_key = TextOf(vars, "SYSTEM_KEY");
  c.site = TextOf(vars, "USER_KEY");
  c.compress = Yes(vars, "COMPRESS");
  c.ati_only = Yes(vars, "ATI_ONLY");
  const Value* skip = vars.Find("SKIP_UNSTL");
  c.skip_unstl = skip && skip->IsTrue();
  c.eight_digit = format::Ccass0705(vars);
  const Date tran = DateOf(vars, "TRAN_DATE");
  const Date ntran = DateOf(vars, "NTRAN_DATE");
  const Date setl = DateOf(vars, "SETL_DATE");
  const Date gen = DateOf(vars, "GEN_DATE");
  c.tran_date_dmyy = format::Dmyy(tran);
  c.setl_date_dmyy = format::Dmyy(setl);
  c.gen_date_dmyy = format::Dmyy(gen);
  c.tran_date_text = expr::FormatDate(tran);
  c.ntran_date_text = expr::FormatDate(ntran);
  c.setl_date_text = expr::FormatDate(setl);
  c.gen_date_text = expr::FormatDate(gen);
  c.today_text = expr::FormatDate(clock.today);
  c.cas_date = TextOf(vars, "CAS_DATE");
  c.cas_time = TextOf(vars, "CAS_TIME");
  c.tran_date_matches_cas = tran == format::DateConv(c.cas_date);
  c.time_of_day = clock.time_of_day;
  return c;
}

void PrintCheckingReports(const ReportRecords& records, const VarStore& vars,
                          print::PrinterDevice& device, const print::PrinterKind& printer,
                          const ReportClock& clock, const ReportHooks& hooks) {
  const ReportContext context = ContextFromVars(vars, clock);
  auto run = [&](std::string_view title, std::string_view job, auto print) {
    if (hooks.begin) hooks.begin(title, job);
    print(device, printer, context, records);
    if (hooks.end) hooks.end(title, job);
  };
  run("STOCK SHORTAGE REPORT", "SHORTAGE", PrintShortageReport);
  run("ZUR STATUS REPORT", "STATUS", PrintStatusReport);
}

void PrintCheckingReports(dbf::Table& atimast, const VarStore& vars, print::PrinterDevice& device,
                          const print::PrinterKind& printer, const ReportClock& clock,
                          const ReportHooks& hooks) {
  PrintCheckingReports(ReportRecords(atimast), vars, device, printer, clock, hooks);
}

}  // namespace zur::reports
