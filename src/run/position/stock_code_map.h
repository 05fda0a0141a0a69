#pragma once
// The stock code mapping rows of the China connect markets: a back-office (mainland) stock code
// and the CCASS stock number it stands for, in the order of the mapping file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vars/var_store.h"

namespace zur::position {

struct StockCodeRow {
  std::string code;      // back-office stock code, 6 characters (empty for an ignored line)
  std::string ccass_no;  // CCASS stock number, 5 characters
  std::string extra;     // kept with the row, not used by the run
};

class StockCodeMap {
 public:
  StockCodeMap() = default;
  explicit StockCodeMap(std::vector<StockCodeRow> rows) : rows_(std::move(rows)) {}

  // One row per line of the mapping file: type "1" lines give rows, any other line (the "0"
  // header, empty lines, other types) an empty row.
  static StockCodeMap FromLines(const std::vector<std::string>& lines);
  // The STKCODE array of the run (rows of three texts); absent or not an array: no rows.
  // Elements that are not texts read as empty.
  static StockCodeMap FromVars(const VarStore& vars);

  bool empty() const { return rows_.empty(); }
  const std::vector<StockCodeRow>& rows() const { return rows_; }

  // The CCASS number of the first non-empty row whose code equals `code` (both trimmed).
  std::optional<std::string> Find(std::string_view code) const;

 private:
  std::vector<StockCodeRow> rows_;
};

}  // namespace zur::position
