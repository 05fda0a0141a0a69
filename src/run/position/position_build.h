#pragma once
// The position build of the checking run: adds the back office's side to the holdings table
// ATIMAST. For every client position of the portfolio master it books the holding (ANETQTY),
// the quantity due by the next trading day (ASTLQTY), the quantity settling later (AUSTLQTY)
// and the short cover (ASSQTY, ASSTLQTY, ASUSTLQTY) on the CCASS account of the client; the
// due and undue quantities go to the main account "01" as well. Then it deducts the stock held
// at other locations, books the short positions of the finance company's portfolio and nets
// the main account's due and undue quantities.
//
// Before the call the driver has opened, in one dbf::WorkAreas:
//   CL   client master, shared (LACCT, LSEGAC); read once in the index "CLMAST" on LACCT, each
//        portfolio record's client found in it on FACCT
//   PF   portfolio master, shared (FACCT, FSTKNO, FQTYBF, FQTYTT, FDAYQTY, FDAYBS and the
//        allocations FSTRQTY, FCOMQTY, FTDQTY, FBANQTY, FOTHQTY that are excluded), read in
//        record order
//   SM   stock master, shared (MSTK, MMARKET, MCCSTOCK, MISIN when present), read once in its
//        order on STRVAL3(MSTKNO)
//   MU   unsettled trades, shared (MREF, MQTY, MSDATE, and MSSDATE, MMARKET with SAS_MKT,
//        MDELDATE with CC_READY), read once in their order on MACCT+STRVAL3(MSTKNO)
//   SL   stock location master, only when EX_SLATI is not blank (LSTKNO, LLCN, LQTYBF, LQTYMTD),
//        walked in its active order
//   PFF, MUF  the finance company's portfolio master and unsettled trades, only when SBF_PATH
//        is not empty, read as PF and MU
//   ZUR  the holdings table ATIMAST, exclusive, found through `index` (the run's holdings
//        index on STRVAL(ASTKNO)+AATI; one is made here when null)
// The stock numbers are keyed by the rules of `in`. Afterwards ZUR is the current area and
// ATIMAST holds the back-office totals.
//
// Stops (run::RunStopped, after the message was shown through the Operator): an account code
// with a character outside 32..126; a table that lacks a field the build needs or cannot be
// read (the message names the file).

#include "platform/dbf/work_areas.h"
#include "run/holdings/holdings_index.h"
#include "run/operator/operator.h"
#include "run/position/position_inputs.h"

namespace zur::position {

struct PositionResult {
  int positions = 0;           // portfolio records booked on an account
  int locations = 0;           // stock location records deducted
  int finance_positions = 0;   // finance short positions booked
  int netted = 0;              // main account records whose due and undue were netted
  bool mapping_alerts = true;  // unmapped stock codes still alert (the driver's "cont")
};

PositionResult BuildPositions(dbf::WorkAreas& areas, const PositionInputs& in, run::Operator& op,
                              holdings::HoldingsIndex* index = nullptr);

}  // namespace zur::position
