#include "run/position/holdings.h"

#include "lib/text/trim_pad.h"
#include "run/position/input_fields.h"

namespace zur::position {

Holdings::Holdings(dbf::Table& table)
    : net(RequireField(table, "ANETQTY", 'N')),
      due(RequireField(table, "ASTLQTY", 'N')),
      undue(RequireField(table, "AUSTLQTY", 'N')),
      short_qty(RequireField(table, "ASSQTY", 'N')),
      short_due(RequireField(table, "ASSTLQTY", 'N')),
      short_undue(RequireField(table, "ASUSTLQTY", 'N')),
      table_(table),
      stkno_(RequireField(table, "ASTKNO", 'C')),
      name_(RequireField(table, "ASTK", 'C')),
      isin_(OptionalField(table, "AISIN", 'C')),
      account_(RequireField(table, "AATI", 'C')),
      account_width_(static_cast<size_t>(table.fields()[static_cast<size_t>(account_)].length)),
      stkno_width_(static_cast<size_t>(table.fields()[static_cast<size_t>(stkno_)].length)) {}

std::string Holdings::Key(const std::string& key, const std::string& account) const {
  // The stored account is blank-padded to its width: seek that form so that "03" never
  // finds "031".
  return key + text::PadR(account, account_width_);
}

bool Holdings::HasStock(const std::string& key) {
  return table_.Seek(Value(key));
}

void Holdings::Select(const std::string& key, const std::string& account, const StockInfo& stock) {
  if (table_.Seek(Value(Key(key, account)))) {
    if (text::IsBlank(TextField(table_, name_)) && !text::IsBlank(stock.name))
      table_.Replace(name_, Value(stock.name));
    return;
  }
  table_.Append();
  table_.Replace(stkno_, Value(key));
  table_.Replace(name_, Value(stock.name));
  table_.Replace(account_, Value(account));
  if (isin_ >= 0 && stock.has_isin) table_.Replace(isin_, Value(stock.isin));
}

void Holdings::Add(int field, double delta) {
  if (delta == 0) return;
  table_.Replace(field, Value(NumberField(table_, field) + delta));
}

int Holdings::NetMainAccount(const std::string& main_account) {
  int changed = 0;
  const std::string_view wanted = text::RTrim(main_account);
  for (table_.GoTop(); !table_.Eof(); table_.Skip()) {
    if (text::RTrim(TextField(table_, account_)) != wanted) continue;
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
