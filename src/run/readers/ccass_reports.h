#pragma once
// The reading of the CCASS reports in the checking run, in the run's order: the STI status
// report (pending transfers booked as done), the stock balance report, the settlement report.
//
// Before the call: the report text file open and its page pass done; the work areas holding
// ATIMAST under the alias "ZUR" (emptied, writable; found through `index`, the run's holdings
// index, or an index made here when null) and the stock master under "SM"; the memory
// variables of the
// settings and of the run date set (STKNO_LEN, STKNO_LEN2, SAS_MKT, SNO_JUST, SYSTEM_KEY,
// CAS3_0705, GEN_DATE, ENHANCED) and RIGHT_SHIFT as the page pass left it.
// After the call: the holdings in ATIMAST; M_NAME, NEW_REPORT, CAS3_RPT, STK_SHIFT,
// RIGHT_SHIFT, CAS_DATE, CAS_TIME, CAS_PAGE, SKIP_UNSTL, STL_DATE, STL_TIME, STL_PAGE and
// NEW_UNSTL set. A stop of the run comes as run::RunStopped after its message was shown.

#include <string>

#include "platform/dbf/work_areas.h"
#include "platform/vars/var_store.h"
#include "run/operator/operator.h"
#include "run/readers/report_walk.h"
#include "run/readers/settlement_reader.h"
#include "run/readers/sti_status_reader.h"
#include "run/readers/stock_balance_reader.h"

namespace zur::readers {

struct CcassReports {
  StiStatusResult sti;
  StockBalanceResult balance;
  SettlementResult settlement;
};

// The memory variables the later steps read.
void StoreResult(const StockBalanceResult& result, VarStore& vars);
void StoreResult(const SettlementResult& result, VarStore& vars);

// Runs the three readers and stores their results. A dbf::Error (kUsage) when the work
// areas lack "ZUR"; without "SM" the holdings get no stock names.
CcassReports ReadCcassReports(const ReportSource& source, dbf::WorkAreas& areas, VarStore& vars,
                              run::Operator& op, holdings::HoldingsIndex* index = nullptr);

}  // namespace zur::readers
