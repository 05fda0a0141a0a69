#include "run/readers/holdings_book.h"

#include <utility>

#include <fmt/format.h>

#include "lib/format/account_code.h"
#include "lib/text/numeric_text.h"
#include "lib/text/trim_pad.h"
#include "run/operator/run_stopped.h"

namespace zur::readers {
namespace {

bool Printable(std::string_view text) {
  for (unsigned char c : text)
    if (c < 32 || c > 126) return false;
  return true;
}

// The account as the warning shows it: bytes that a screen would take as control codes are
// shown as "?".
std::string Shown(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || u > 126) c = '?';
  }
  return out;
}

// The value column of the stock balance report: a blank, "N/A" or zero-led value still
// stands for a holding.
double ValueOf(std::string_view value_text) {
  std::string_view v = text::AllTrim(value_text);
  if (v.empty() || v == "N/A" || v.front() == '0') return 1;
  return text::CutComma(value_text);
}

// A field of ATIMAST by name; kUsage when the table lacks it.
int HoldingsField(const dbf::Table& table, std::string_view name) {
  const int field = table.FieldIndex(name);
  if (field < 0)
    throw dbf::Error(dbf::ErrorKind::kUsage,
                     fmt::format("{}: no field {}", table.path().string(), name));
  return field;
}

// A character field of the stock master, or -1.
int CharacterField(const dbf::Table& table, std::string_view name) {
  const int field = table.FieldIndex(name);
  return field >= 0 && table.fields()[static_cast<size_t>(field)].type == 'C' ? field : -1;
}

}  // namespace

BookRules BookRules::FromVars(VarStore& vars) {
  BookRules r;
  r.stock_numbers = format::StockNumberRules::FromVars(vars);
  r.eight_digit_accounts = format::Ccass0705(vars);
  return r;
}

HoldingsBook::HoldingsBook(holdings::HoldingsIndex& index, dbf::Table* stock_master,
                           BookRules rules, run::Operator& op, std::string report_file)
    : HoldingsBook(nullptr, &index, stock_master, std::move(rules), op, std::move(report_file)) {}

HoldingsBook::HoldingsBook(dbf::Table& holdings, dbf::Table* stock_master, BookRules rules,
                           run::Operator& op, std::string report_file)
    : HoldingsBook(std::make_unique<holdings::HoldingsIndex>(holdings, rules.stock_numbers),
                   nullptr, stock_master, std::move(rules), op, std::move(report_file)) {}

HoldingsBook::HoldingsBook(std::unique_ptr<holdings::HoldingsIndex> own,
                           holdings::HoldingsIndex* index, dbf::Table* stock_master,
                           BookRules rules, run::Operator& op, std::string report_file)
    : own_index_(std::move(own)),
      index_(own_index_ ? *own_index_ : *index),
      holdings_(index_.table()),
      rules_(std::move(rules)),
      stkno_(HoldingsField(holdings_, "ASTKNO")),
      name_(HoldingsField(holdings_, "ASTK")),
      account_(HoldingsField(holdings_, "AATI")),
      isin_(holdings_.FieldIndex("AISIN")),
      balance_(HoldingsField(holdings_, "ACASQTY")),
      unsettled_(HoldingsField(holdings_, "AODQTY")),
      op_(op),
      report_file_(std::move(report_file)) {
  if (stock_master != nullptr) {
    stocks_.emplace(*stock_master, rules_.stock_numbers);
    stock_name_ = CharacterField(*stock_master, "MSTK");
    stock_isin_ = CharacterField(*stock_master, "MISIN");
  }
}

std::string HoldingsBook::StockKey(std::string_view stkno) const {
  return format::StrVal(stkno, rules_.stock_numbers);
}

std::string HoldingsBook::Account(std::string_view text) const {
  return format::FmtAcNum(text, rules_.eight_digit_accounts);
}

bool HoldingsBook::Record(std::string_view key, std::string_view account,
                          std::string_view quantity_text, std::string_view value_text,
                          bool value_column) {
  // A zero value leaves nothing to record, but the account is still checked first.
  double value = value_column ? ValueOf(value_text) : 1;
  return AddBalance(key, account, value == 0 ? 0 : text::CutComma(quantity_text));
}

bool HoldingsBook::AddBalance(std::string_view key, std::string_view account, double quantity) {
  std::string ac = Account(account);
  if (!Printable(ac) || ac.size() > kAccountWidth) {
    op_.BlinkingWarning("WARNING: Invalid ZUR A/C Code " + Shown(ac) + " found in Stock " +
                        std::string(key) + " of CCASS Report ! Record skipped.");
    return false;
  }
  if (quantity == 0) return false;
  if (text::IsBlank(ac)) {
    // An empty account block is no holding; a quantity in it belongs to no account.
    op_.BlinkingWarning("WARNING: Quantity without A/C Code found in Stock " + std::string(key) +
                        " of " + report_file_ + " ! Record skipped.");
    return false;
  }
  if (text::IsBlank(key)) {
    // A quantity read before any stock line (a damaged or cut stock line) belongs to no stock.
    op_.BlinkingWarning("WARNING: Quantity of A/C " + ac + " without a stock found in " +
                        report_file_ + " ! Record skipped.");
    return false;
  }
  AddTo(balance_, key, ac, quantity);
  return true;
}

void HoldingsBook::AddUnsettled(std::string_view key, double quantity) {
  AddTo(unsettled_, key, Account("01"), quantity);
}

void HoldingsBook::AddTo(int field, std::string_view key, const std::string& account,
                         double quantity) {
  PositionOn(key, account);
  double sum = holdings_.Get(field).NumOr() + quantity;
  try {
    holdings_.Replace(field, Value(sum));
  } catch (const dbf::Error& e) {
    if (e.kind() != dbf::ErrorKind::kValue) throw;
    std::string message = "ERROR: Quantity " + text::WholeNumberText(quantity) + " of Stock " +
                          std::string(key) + " A/C " + account + " in " + report_file_ +
                          " is out of range !";
    op_.MessageBox("ZUR", message);
    throw run::RunStopped(message);
  }
}

void HoldingsBook::PositionOn(std::string_view key, const std::string& account) {
  want_.assign(key);
  want_ += account;
  if (const uint32_t r = index_.Find(want_)) {
    if (holdings_.RecNo() != r || holdings_.Eof()) holdings_.GoTo(r);
    return;
  }
  std::string_view name, isin;
  if (stocks_) {
    const dbf::RecordView stock = stocks_->Seek(format::StrVal3(key, rules_.stock_numbers));
    name = stock.Field(stock_name_);
    isin = stock.Field(stock_isin_);
  }
  holdings_.Append();
  holdings_.Replace(stkno_, Value(std::string(key)));
  holdings_.Replace(name_, Value(name));
  holdings_.Replace(account_, Value(account));
  if (stock_isin_ >= 0) {
    if (isin_ >= 0)
      holdings_.Replace(isin_, Value(isin));
    else
      holdings_.Replace("AISIN", Value(isin));  // names the missing field
  }
  index_.Update();
}

}  // namespace zur::readers
