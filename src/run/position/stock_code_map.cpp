#include "run/position/stock_code_map.h"

#include "lib/text/trim_pad.h"

namespace zur::position {
namespace {

std::string Column(std::string_view line, size_t from, size_t width) {
  if (from >= line.size()) return {};
  return std::string(line.substr(from, width));
}

std::string TextOf(const Value& v) {
  return v.IsChar() ? v.str() : std::string();
}

}  // namespace

StockCodeMap StockCodeMap::FromLines(const std::vector<std::string>& lines) {
  std::vector<StockCodeRow> rows(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (line.empty() || line.front() != '1') continue;
    rows[i] = {Column(line, 1, 6), Column(line, 7, 5), Column(line, 12, 1)};
  }
  return StockCodeMap(std::move(rows));
}

StockCodeMap StockCodeMap::FromVars(const VarStore& vars) {
  const Value* table = vars.Find("STKCODE");
  if (table == nullptr || !table->IsArray() || !table->array()) return {};
  std::vector<StockCodeRow> rows;
  rows.reserve(table->array()->size());
  for (const Value& row : *table->array()) {
    StockCodeRow r;
    if (row.IsArray() && row.array()) {
      const Array& cells = *row.array();
      if (cells.size() > 0) r.code = TextOf(cells[0]);
      if (cells.size() > 1) r.ccass_no = TextOf(cells[1]);
      if (cells.size() > 2) r.extra = TextOf(cells[2]);
    }
    rows.push_back(std::move(r));
  }
  return StockCodeMap(std::move(rows));
}

std::optional<std::string> StockCodeMap::Find(std::string_view code) const {
  std::string_view wanted = text::AllTrim(code);
  if (wanted.empty()) return std::nullopt;
  for (const StockCodeRow& row : rows_) {
    if (text::IsBlank(row.code)) continue;
    if (text::AllTrim(row.code) == wanted) return row.ccass_no;
  }
  return std::nullopt;
}

}  // namespace zur::position
