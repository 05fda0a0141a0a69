#pragma once
// What the position build reads from the settings and the run: the CCASS account of each client
// type, the exclusions, the per-site and market options, the trade dates, the stock number rules
// and the stock code mapping rows.

#include <string>
#include <string_view>

#include "lib/format/stock_number.h"
#include "platform/vars/date.h"
#include "platform/vars/var_store.h"
#include "run/position/stock_code_map.h"

namespace zur::position {

// CCASS accounts per client type, as the settings hold them (not yet formatted).
struct TypeAccounts {
  std::string a, c, i, m, p, f, s, t, b, other;      // ATI_A .. ATI_OTHER
  std::string bm, bp;                                // ATI_BM, ATI_BP (site MENEMI)
  bool has_s = false, has_t = false, has_b = false;  // CHECK_CLS, CHECK_CLT, CHECK_CLB
};

// Which allocated quantities of a portfolio record are left out of the holding.
struct ExcludedQuantities {
  bool str = false;    // EX_STRQTY: FSTRQTY
  bool com = false;    // EX_COMQTY: FCOMQTY
  bool td = false;     // EX_TDQTY: FTDQTY
  bool bank = false;   // EX_BANQTY: FBANQTY
  bool other = false;  // EX_OTHQTY: FOTHQTY
};

struct PositionInputs {
  TypeAccounts accounts;
  ExcludedQuantities excluded;
  std::string excluded_types;               // EX_CLTYPE, trimmed: client type letters left out
  bool exclude_a29 = false;                 // EX_CLA29 "Y" (site ROVERU)
  std::string location_account;             // EX_SLATI: blank = no stock location deduction
  std::string clear_location = "CCASS   ";  // CLEAR_LCN
  std::string clear_location2;              // CLEAR_LCN2 (site NIVAZA)
  bool cover_short = false;     // COVER_SS "Y": one client's short is covered by another
  std::string cash_stock;       // CASH_STOCK: "Y", "A" or other
  bool bank_trade = false;      // BANK_TRADE
  bool sbf3_user = false;       // SBF3_USER
  std::string finance_ac;       // FINANCE_AC: account prefix of the finance company
  std::string nominee_ac;       // NOMINEE_AC
  std::string conv_type = "F";  // CONV_TYPE: client type letter of the finance accounts
  std::string system_key;       // SYSTEM_KEY: "SAS ", "SZMK", else Hong Kong
  std::string user_key;         // USER_KEY: the site code
  bool multi_mkt = false;       // MULTI_MKT flag
  bool cc_ready = false;        // CC_READY: deleted unsettled trades carry MDELDATE
  bool use_finance = false;     // SBF_PATH is not empty: the finance tables PFF/MUF are open
  bool eight_digit = false;     // 8-digit account codes (CCASS0705)
  Date tran_date;               // TRAN_DATE
  Date ntran_date;              // NTRAN_DATE
  format::StockNumberRules rules;
  StockCodeMap mapping;        // STKCODE rows (China connect markets)
  bool mapping_alerts = true;  // "cont": unmapped codes still raise the alert

  // Reads the memory variables named above with their defaults (an exclusion flag leaves its
  // quantity out only when it is "Y"). The stock number rules are read as the format library
  // reads them (which creates AFTER_SAS_CONV when it is missing).
  static PositionInputs FromVars(VarStore& vars);

  // Site and market tests under the settings comparison rule: a setting matches a code when
  // it begins with it.
  bool IsSite(std::string_view site) const;
  bool IsSystem(std::string_view key) const;
  bool CashStockIs(std::string_view code) const;
};

// The comparison rule of settings and codes: `text` begins with `code`. An empty (or blank)
// code matches nothing, so an unset prefix never claims every account.
bool BeginsWithCode(std::string_view text, std::string_view code);
// A Y/N setting is "Y".
bool IsYes(std::string_view setting);

}  // namespace zur::position
