#include "run/readers/ccass_reports.h"

namespace zur::readers {

void StoreResult(const StockBalanceResult& result, VarStore& vars) {
  vars.Set("M_NAME", Value(result.report_name));
  vars.Set("NEW_REPORT", Value(result.new_report));
  vars.Set("CAS3_RPT", Value(result.cas3_rpt));
  vars.Set("STK_SHIFT", Value(result.stk_shift));
  vars.Set("RIGHT_SHIFT", Value(result.right_shift));
  vars.Set("CAS_DATE", Value(result.cas_date));
  vars.Set("CAS_TIME", Value(result.cas_time));
  vars.Set("CAS_PAGE", Value(result.cas_page));
}

void StoreResult(const SettlementResult& result, VarStore& vars) {
  vars.Set("SKIP_UNSTL", Value(result.skip_unstl));
  vars.Set("STL_DATE", Value(result.stl_date));
  vars.Set("STL_TIME", Value(result.stl_time));
  vars.Set("STL_PAGE", Value(result.stl_page));
  vars.Set("NEW_UNSTL", Value(result.new_unstl));
}

CcassReports ReadCcassReports(const ReportSource& source, dbf::WorkAreas& areas, VarStore& vars,
                              run::Operator& op, holdings::HoldingsIndex* index) {
  dbf::Table* holdings = areas.Find("ZUR");
  if (holdings == nullptr)
    throw dbf::Error(dbf::ErrorKind::kUsage, "the holdings table (ZUR) is not open");
  HoldingsBook book = index != nullptr
                          ? HoldingsBook(*index, areas.Find("SM"), BookRules::FromVars(vars), op,
                                         source.reader.path())
                          : HoldingsBook(*holdings, areas.Find("SM"), BookRules::FromVars(vars), op,
                                         source.reader.path());
  CcassReports out;
  out.sti = ReadStiStatusReport(source, book, op);
  out.balance = ReadStockBalanceReport(source, StockBalanceInputs::FromVars(vars), book, op);
  StoreResult(out.balance, vars);
  out.settlement = ReadSettlementReport(source, SettlementInputs::FromVars(vars), book, op);
  StoreResult(out.settlement, vars);
  return out;
}

}  // namespace zur::readers
