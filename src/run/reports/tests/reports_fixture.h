#pragma once
// A holdings table filled by hand and the variables a checking run leaves for its reports.

#include <string>

#include "run/determine/tests/determine_fixture.h"
#include "run/reports/print_checking_reports.h"

namespace zur::reports::testing {

class ReportsTest : public determine::testing::DetermineTest {
 protected:
  void SetVars(const std::string& cas_date) {
    vars_.Set("CO_NAME", Value("TALVERO SECURITIES LTD"));
    vars_.Set("SYSTEM", Value("CCASS ZUR Talvero (Ver 7.00g)"));
    vars_.Set("SYSTEM_KEY", Value("SZMK"));
    vars_.Set("COMPRESS", Value("N"));
    vars_.Set("ATI_ONLY", Value("N"));
    vars_.Set("SKIP_UNSTL", Value(false));
    vars_.Set("TRAN_DATE", Value(*Date::FromYmd(2026, 12, 8)));
    vars_.Set("NTRAN_DATE", Value(*Date::FromYmd(2026, 12, 9)));
    vars_.Set("SETL_DATE", Value(*Date::FromYmd(2026, 12, 10)));
    vars_.Set("GEN_DATE", Value(*Date::FromYmd(2026, 12, 9)));
    vars_.Set("CAS_DATE", Value(cas_date));
    vars_.Set("CAS_TIME", Value("18:30"));
  }
  const ReportClock clock_{*Date::FromYmd(2026, 12, 8), "19:05:07"};
};

}  // namespace zur::reports::testing
