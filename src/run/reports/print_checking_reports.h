#pragma once
// The checking reports at the end of a checking run, as the run driver calls them.
//
// What must be ready: the holdings table ATIMAST open, with its order on stock and account
// (STRVAL(ASTKNO)+AATI) or the run's holdings index, and the decisions of the ZUR
// determination written; the memory variables CO_NAME (plain text), SYSTEM, SYSTEM_KEY,
// USER_KEY, COMPRESS, ATI_ONLY,
// TRAN_DATE, NTRAN_DATE, SETL_DATE, GEN_DATE, CAS_DATE, CAS_TIME, SKIP_UNSTL and the settings
// of the 8-character account format; the printer device pointed at the printer target.

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dbf/table.h"
#include "platform/vars/date.h"
#include "platform/vars/var_store.h"
#include "print/codes/pitch_codes.h"
#include "print/device/printer_device.h"
#include "run/reports/report_data.h"
#include "run/reports/report_records.h"

namespace zur::reports {

// The date and time printed in the page heading.
struct ReportClock {
  Date today;
  std::string time_of_day;  // hh:mm:ss
  static ReportClock Now();
  static ReportClock At(std::chrono::system_clock::time_point when);  // local time
};

// Reads ATIMAST in index order (deleted records left out), all at once (see ReportRecords).
std::vector<ReportRecord> ReadReportRecords(dbf::Table& atimast);

// The heading texts and switches of the reports from the memory variables.
ReportContext ContextFromVars(const VarStore& vars, const ReportClock& clock);

// Called around each report with its title and its job name ("SHORTAGE", "STATUS"): `begin`
// before it prints (to tell the operator and, with system printing, point the device at a new
// audit file), `end` after it.
struct ReportHooks {
  std::function<void(std::string_view title, std::string_view job)> begin;
  std::function<void(std::string_view title, std::string_view job)> end;
};

// Prints the stock shortage report, then the ZUR status report, each reading the records
// as it goes.
void PrintCheckingReports(const ReportRecords& records, const VarStore& vars,
                          print::PrinterDevice& device, const print::PrinterKind& printer,
                          const ReportClock& clock, const ReportHooks& hooks = {});
// The same from ATIMAST in its own order on the key.
void PrintCheckingReports(dbf::Table& atimast, const VarStore& vars, print::PrinterDevice& device,
                          const print::PrinterKind& printer, const ReportClock& clock,
                          const ReportHooks& hooks = {});

}  // namespace zur::reports
