#include "run/position/position_inputs.h"

#include "lib/format/account_code.h"
#include "lib/text/trim_pad.h"
#include "platform/expr/text_compare.h"

namespace zur::position {
namespace {

std::string Text(const VarStore& vars, std::string_view name, std::string_view fallback = {}) {
  const Value* v = vars.Find(name);
  return std::string(v != nullptr && v->IsChar() ? std::string_view(v->str()) : fallback);
}

bool Logical(const VarStore& vars, std::string_view name) {
  return vars.Get(name).IsTrue();
}

Date DateOf(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v != nullptr && v->IsDate() ? v->date() : Date();
}

// An exclusion flag leaves its quantity out only when it is "Y". A blank flag counts the
// quantity: the setup screen's save turns blank flags into "Y", but a record never saved from
// it keeps them blank.
bool Excluded(const VarStore& vars, std::string_view name) {
  return IsYes(Text(vars, name));
}

}  // namespace

bool BeginsWithCode(std::string_view text, std::string_view code) {
  if (text::IsBlank(code)) return false;
  return expr::CompareNonExact(text, code) == 0;
}

bool IsYes(std::string_view setting) {
  return BeginsWithCode(setting, "Y");
}

bool PositionInputs::IsSite(std::string_view site) const {
  return BeginsWithCode(user_key, site);
}
bool PositionInputs::IsSystem(std::string_view key) const {
  return BeginsWithCode(system_key, key);
}
bool PositionInputs::CashStockIs(std::string_view code) const {
  return BeginsWithCode(cash_stock, code);
}

PositionInputs PositionInputs::FromVars(VarStore& vars) {
  PositionInputs in;
  TypeAccounts& ac = in.accounts;
  ac.a = Text(vars, "ATI_A");
  ac.c = Text(vars, "ATI_C");
  ac.i = Text(vars, "ATI_I");
  ac.m = Text(vars, "ATI_M");
  ac.p = Text(vars, "ATI_P");
  ac.f = Text(vars, "ATI_F", "03");
  ac.other = Text(vars, "ATI_OTHER");
  ac.bm = Text(vars, "ATI_BM", "08");
  ac.bp = Text(vars, "ATI_BP", "07");
  ac.has_s = Logical(vars, "CHECK_CLS");
  ac.has_t = Logical(vars, "CHECK_CLT");
  ac.has_b = Logical(vars, "CHECK_CLB");
  ac.s = Text(vars, "ATI_S", "03");
  ac.t = Text(vars, "ATI_T", "03");
  ac.b = Text(vars, "ATI_B", "03");

  in.excluded = {Excluded(vars, "EX_STRQTY"), Excluded(vars, "EX_COMQTY"),
                 Excluded(vars, "EX_TDQTY"), Excluded(vars, "EX_BANQTY"),
                 Excluded(vars, "EX_OTHQTY")};
  in.excluded_types = std::string(text::AllTrim(Text(vars, "EX_CLTYPE")));
  in.exclude_a29 = IsYes(Text(vars, "EX_CLA29"));
  in.location_account = Text(vars, "EX_SLATI");
  in.clear_location = Text(vars, "CLEAR_LCN", "CCASS   ");
  in.clear_location2 = Text(vars, "CLEAR_LCN2");
  in.cover_short = IsYes(Text(vars, "COVER_SS"));
  in.cash_stock = Text(vars, "CASH_STOCK");
  in.bank_trade = Logical(vars, "BANK_TRADE");
  in.sbf3_user = Logical(vars, "SBF3_USER");
  in.finance_ac = Text(vars, "FINANCE_AC");
  in.nominee_ac = Text(vars, "NOMINEE_AC");
  in.conv_type = Text(vars, "CONV_TYPE", "F");
  in.system_key = Text(vars, "SYSTEM_KEY");
  in.user_key = Text(vars, "USER_KEY");
  in.multi_mkt = Logical(vars, "MULTI_MKT");
  in.cc_ready = Logical(vars, "CC_READY");
  in.use_finance = !text::IsBlank(Text(vars, "SBF_PATH"));
  in.eight_digit = format::Ccass0705(vars);
  in.tran_date = DateOf(vars, "TRAN_DATE");
  in.ntran_date = DateOf(vars, "NTRAN_DATE");
  in.rules = format::StockNumberRules::FromVars(vars);
  in.mapping = StockCodeMap::FromVars(vars);
  const Value* cont = vars.Find("CONT");
  in.mapping_alerts = cont == nullptr || !cont->IsLogical() || cont->logical();
  return in;
}

}  // namespace zur::position
