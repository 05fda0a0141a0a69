#include "run/determine/holdings_table.h"

#include <fmt/format.h>

#include <algorithm>

#include "lib/text/trim_pad.h"

namespace zur::determine {
namespace {

// A key expression as compared: upper case, without blanks.
std::string KeyForm(std::string_view key) {
  std::string out = text::Upper(key);
  std::erase(out, ' ');
  return out;
}

}  // namespace

bool ActivateHoldingsOrder(dbf::Table& t) {
  const std::string wanted = KeyForm(kHoldingsKey);
  if (t.ActiveOrder() != 0 && KeyForm(t.OrderKey(t.ActiveOrder())) == wanted) return true;
  for (int order = 1; order <= t.OrderCount(); ++order) {
    if (KeyForm(t.OrderKey(order)) == wanted) {
      t.SetOrder(order);
      return true;
    }
  }
  return false;
}

HoldingsTable::HoldingsTable(holdings::HoldingsIndex& index)
    : index_(index),
      table_(index.table()),
      stkno_(Field("ASTKNO", 'C')),
      stk_(Field("ASTK", 'C')),
      isin_(Field("AISIN", 'C')),
      aati_(Field("AATI", 'C')),
      cas_(Field("ACASQTY", 'N')),
      od_(Field("AODQTY", 'N')),
      net_(Field("ANETQTY", 'N')),
      stl_(Field("ASTLQTY", 'N')),
      ustl_(Field("AUSTLQTY", 'N')),
      tfr_(Field("ATFRQTY", 'N')),
      ss_(Field("ASSQTY", 'N')),
      from_(Field("AFROM", 'C')),
      to_(Field("ATO", 'C')),
      qty_(Field("AATIQTY", 'N')),
      qty1_(Field("AATIQTY1", 'N')) {
  if (table_.read_only()) throw HoldingsError(Name() + ": the holdings table is open read-only");
  if (!table_.filter().empty())
    throw HoldingsError(Name() + ": a filter hides records of the holdings table (" +
                        std::string(table_.filter()) + ")");
}

std::string HoldingsTable::Name() const {
  return table_.path().string();
}

int HoldingsTable::Field(std::string_view name, char type) const {
  const int index = table_.FieldIndex(name);
  if (index < 0)
    throw HoldingsError(fmt::format("{}: the holdings table has no field {}", Name(), name));
  if (table_.fields()[static_cast<size_t>(index)].type != type)
    throw HoldingsError(
        fmt::format("{}: field {} of the holdings table is not of type {}", Name(), name, type));
  return index;
}

std::string_view HoldingsTable::Text(int field) const {
  return text::RTrim(table_.Raw(field));
}

Holding HoldingsTable::Quantities() const {
  Holding h;
  h.ccass = Number(cas_);
  h.overdue = Number(od_);
  h.net = Number(net_);
  h.due = Number(stl_);
  h.undue = Number(ustl_);
  h.transferred = Number(tfr_);
  h.short_cover = Number(ss_);
  return h;
}

std::string_view HoldingsTable::StockNo() const {
  return table_.Raw(stkno_);
}
std::string_view HoldingsTable::Account() const {
  return Text(aati_);
}
std::string_view HoldingsTable::From() const {
  return Text(from_);
}
std::string_view HoldingsTable::Isin() const {
  return Text(isin_);
}
double HoldingsTable::TransferQuantity() const {
  return Number(qty_);
}

int64_t HoldingsTable::StockNumber() const {
  const std::string_view digits = text::AllTrim(StockNo());
  const bool all_digits =
      !digits.empty() && digits.size() <= 18 &&
      std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
  int64_t value = 0;
  if (all_digits)
    for (char c : digits) value = value * 10 + (c - '0');
  if (value <= 0)
    throw HoldingsError(fmt::format(
        "{}: stock number \"{}\" of record {} is not a stock number an upload line can carry",
        Name(), text::RTrim(StockNo()), table_.RecNo()));
  return value;
}

void HoldingsTable::MakeWritable() {
  if (table_.share() != dbf::Share::kShared || table_.IsLocked(table_.RecNo())) return;
  if (!table_.LockCurrent())
    throw HoldingsError(
        fmt::format("{}: record {} is locked by another user", Name(), table_.RecNo()));
}

void HoldingsTable::RecordDecision(std::string_view from, std::string_view to, int64_t quantity,
                                   const int64_t* due_bought_part) {
  MakeWritable();
  table_.Replace(from_, Value(from));
  table_.Replace(to_, Value(to));
  table_.Replace(qty_, Value(static_cast<double>(quantity)));
  if (due_bought_part != nullptr)
    table_.Replace(qty1_, Value(static_cast<double>(*due_bought_part)));
}

void HoldingsTable::AddToTransferred(int64_t quantity) {
  MakeWritable();
  table_.Replace(tfr_, Value(Number(tfr_) + static_cast<double>(quantity)));
}

bool HoldingsTable::SeekMain(std::string_view stock_no, std::string_view main_account) {
  want_.assign(stock_no);
  want_ += main_account;
  const uint32_t r = index_.Find(want_);
  if (r == 0 || table_.RecNo() != r || table_.Eof()) table_.GoTo(r);
  return r != 0;
}

void HoldingsTable::AppendMain(std::string_view main_account) {
  const std::string stock_no(StockNo());
  const std::string stock(table_.Raw(stk_));
  const std::string isin(table_.Raw(isin_));
  table_.Append();
  table_.Replace(stkno_, Value(stock_no));
  table_.Replace(stk_, Value(stock));
  table_.Replace(isin_, Value(isin));
  table_.Replace(aati_, Value(main_account));
  index_.Update();
  const uint32_t appended = table_.RecNo();
  if (!SeekMain(stock_no, main_account) || table_.RecNo() != appended)
    throw HoldingsError(
        fmt::format("{}: stock number \"{}\" is not in the form the holdings index is keyed by",
                    Name(), text::RTrim(stock_no)));
}

}  // namespace zur::determine
