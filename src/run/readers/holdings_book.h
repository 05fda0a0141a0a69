#pragma once
// The holdings table ATIMAST (alias ZUR) as the report readers fill it: one record per stock
// and CCASS stock account, CCASS balances in ACASQTY, unsettled quantities of the main account
// in AODQTY. Every CCASS quantity reaches the table through this class.
//
// Before use: ATIMAST open and writable, found and walked through a holdings index (its order
// on "STRVAL(ASTKNO)+AATI"); the stock master (alias SM), when given, open. The stock master is
// read once, in its order on "STRVAL3(MSTKNO)". The book moves the record pointer of ATIMAST.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "lib/format/stock_number.h"
#include "platform/dbf/table.h"
#include "platform/vars/var_store.h"
#include "run/holdings/holdings_index.h"
#include "run/holdings/stock_lookup.h"
#include "run/operator/operator.h"

namespace zur::readers {

struct BookRules {
  format::StockNumberRules stock_numbers;  // STRVAL / STRVAL3
  bool eight_digit_accounts = false;       // CCASS0705(): accounts are 8 digits

  // STKNO_LEN, STKNO_LEN2, SAS_MKT, AFTER_SAS_CONV, SNO_JUST, CAS3_0705 and GEN_DATE.
  static BookRules FromVars(VarStore& vars);
};

inline constexpr size_t kAccountWidth = 8;  // AATI

class HoldingsBook {
 public:
  // `report_file` names the CCASS report text file in messages about its contents. The
  // holdings are found through `index`, which the book keeps up to date.
  HoldingsBook(holdings::HoldingsIndex& index, dbf::Table* stock_master, BookRules rules,
               run::Operator& op, std::string report_file);
  // The same with an index of its own over `holdings`.
  HoldingsBook(dbf::Table& holdings, dbf::Table* stock_master, BookRules rules, run::Operator& op,
               std::string report_file);

  std::string StockKey(std::string_view stkno) const;  // STRVAL
  std::string Account(std::string_view text) const;    // FMTACNUM
  const std::string& report_file() const { return report_file_; }
  int key_width() const { return rules_.stock_numbers.stkno_len; }  // STKNO_LEN

  // One holding read from a report (`key` made by StockKey, the account and the quantity as
  // printed). The value text counts only when `value_column` is set: blank, "N/A" or a text
  // beginning with "0" counts as a value, any other text is read as a number. Nothing is
  // recorded when the quantity or the value is 0. An account that is not printable or too long
  // for the table, and a quantity without an account (blank) or without a stock (blank key),
  // are reported by a blinking warning and skipped. True when recorded.
  bool Record(std::string_view key, std::string_view account, std::string_view quantity_text,
              std::string_view value_text, bool value_column);

  // Adds `quantity` to ACASQTY of (key, account); the account is formatted first. Checks and
  // skips as Record; nothing happens for a zero quantity.
  bool AddBalance(std::string_view key, std::string_view account, double quantity);

  // Adds `quantity` to AODQTY of the main account "01" of the stock, creating the record
  // (with a zero balance) when absent, also for a zero quantity.
  void AddUnsettled(std::string_view key, double quantity);

 private:
  // Makes (key, account) the current holdings record, appending it with the stock's name
  // and ISIN from the stock master when absent.
  HoldingsBook(std::unique_ptr<holdings::HoldingsIndex> own, holdings::HoldingsIndex* index,
               dbf::Table* stock_master, BookRules rules, run::Operator& op,
               std::string report_file);
  void PositionOn(std::string_view key, const std::string& account);
  void AddTo(int field, std::string_view key, const std::string& account, double quantity);

  std::unique_ptr<holdings::HoldingsIndex> own_index_;
  holdings::HoldingsIndex& index_;  // *own_index_, or the run's
  dbf::Table& holdings_;
  BookRules rules_;
  std::optional<holdings::StockLookup> stocks_;
  int stock_name_ = -1, stock_isin_ = -1;  // MSTK, MISIN of the stock master (character)
  int stkno_, name_, account_, isin_, balance_, unsettled_;
  std::string want_;  // the key sought, kept for its storage
  run::Operator& op_;
  std::string report_file_;
};

}  // namespace zur::readers
