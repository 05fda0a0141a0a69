#pragma once
// The position build of the checking run: adds the back office's side to the holdings table
// ATIMAST. For every client position of the portfolio master it books the holding (ANETQTY),
// the quantity due by the next trading day (ASTLQTY), the quantity settling later (AUSTLQTY)
// and the short cover (ASSQTY, ASSTLQTY, ASUSTLQTY) on the CCASS account of the client; the
// due and undue quantities go to the main account "01" as well. Then it deducts the stock held
// at other locations, books the short positions of the finance company's portfolio and nets
// the main account's due and undue quantities.
//
// Before the call the driver has opened, in one dbf::WorkAreas with the format functions
// (STRVAL, STRVAL3 ...) and the memory variables as its environment:
//   CL   client master, shared (LACCT, LSEGAC); this call builds its order "CLMAST" on LACCT
//        and relates PF to it on FACCT
//   PF   portfolio master, shared (FACCT, FSTKNO, FQTYBF, FQTYTT, FDAYQTY, FDAYBS and the
//        allocations FSTRQTY, FCOMQTY, FTDQTY, FBANQTY, FOTHQTY that are excluded)
//   SM   stock master, shared, order "SMNO" on STRVAL3(MSTKNO) (MSTK, MMARKET, MCCSTOCK, MISIN
//        when present)
//   MU   unsettled trades, shared, order "MGNUNSTL" on MACCT+STRVAL3(MSTKNO) (MREF, MQTY,
//        MSDATE, and MSSDATE, MMARKET with SAS_MKT, MDELDATE with CC_READY)
//   SL   stock location master, only when EX_SLATI is not blank (LSTKNO, LLCN, LQTYBF, LQTYMTD)
//   PFF, MUF  the finance company's portfolio master and unsettled trades, only when SBF_PATH
//        is not empty; this call builds the order "MGNUNSTL" on MUF
//   ZUR  the holdings table ATIMAST, exclusive, order "ATIMAST" on STRVAL(ASTKNO)+AATI
// An order named above that is missing is built here. Afterwards ZUR is the current area, the
// relation PF -> CL is set, and ATIMAST holds the back-office totals.
//
// Stops (run::RunStopped, after the message was shown through the Operator): an account code
// with a character outside 32..126; a table that lacks a field the build needs or cannot be
// read (the message names the file).

#include "platform/dbf/work_areas.h"
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

PositionResult BuildPositions(dbf::WorkAreas& areas, const PositionInputs& in, run::Operator& op);

}  // namespace zur::position
