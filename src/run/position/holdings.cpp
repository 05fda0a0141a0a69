#include "run/position/holdings.h"

#include "lib/text/trim_pad.h"
#include "run/position/input_fields.h"

namespace zur::position {

Holdings::Holdings(holdings::HoldingsIndex& index)
    : net(RequireField(index.table(), "ANETQTY", 'N')),
      due(RequireField(index.table(), "ASTLQTY", 'N')),
      undue(RequireField(index.table(), "AUSTLQTY", 'N')),
      short_qty(RequireField(index.table(), "ASSQTY", 'N')),
      short_due(RequireField(index.table(), "ASSTLQTY", 'N')),
      short_undue(RequireField(index.table(), "ASUSTLQTY", 'N')),
      index_(index),
      table_(index.table()),
      stkno_(RequireField(table_, "ASTKNO", 'C')),
      name_(RequireField(table_, "ASTK", 'C')),
      isin_(OptionalField(table_, "AISIN", 'C')),
      account_(RequireField(table_, "AATI", 'C')),
      account_width_(static_cast<size_t>(table_.fields()[static_cast<size_t>(account_)].length)),
      stkno_width_(static_cast<size_t>(table_.fields()[static_cast<size_t>(stkno_)].length)) {}

bool Holdings::HasStock(std::string_view key) {
  return index_.Find(key) != 0;
}

void Holdings::Select(std::string_view key, std::string_view account, const StockInfo& stock) {
  // The stored account is blank-padded to its width: seek that form so that "03" never
  // finds "031".
  want_.assign(key);
  want_.append(account.substr(0, account_width_));
  want_.resize(key.size() + account_width_, ' ');
  if (const uint32_t r = index_.Find(want_)) {
    if (table_.RecNo() != r || table_.Eof()) table_.GoTo(r);
    if (text::IsBlank(table_.Raw(name_)) && !text::IsBlank(stock.name))
      table_.Replace(name_, Value(stock.name));
    return;
  }
  table_.Append();
  table_.Replace(stkno_, Value(key));
  table_.Replace(name_, Value(stock.name));
  table_.Replace(account_, Value(account));
  if (isin_ >= 0 && stock.has_isin) table_.Replace(isin_, Value(stock.isin));
  index_.Update();
}

void Holdings::Add(int field, double delta) {
  if (delta == 0) return;
  table_.Replace(field, Value(NumberField(table_, field) + delta));
}

int Holdings::NetMainAccount(const std::string& main_account) {
  int changed = 0;
  const std::string_view wanted = text::RTrim(main_account);
  for (uint32_t r = 1; r <= table_.RecCount(); ++r) {
    table_.GoTo(r);
    if (text::RTrim(table_.Raw(account_)) != wanted) continue;
    const double d = NumberField(table_, due);
    const double u = NumberField(table_, undue);
    if (!(d > 0 && u < 0)) continue;
    if (d + u >= 0) {
      table_.Replace(due, Value(d + u));
      table_.Replace(undue, Value(0));
    } else {
      table_.Replace(undue, Value(u + d));
      table_.Replace(due, Value(0));
    }
    ++changed;
  }
  return changed;
}

}  // namespace zur::position
