#pragma once
// Stock number normalisation: the form of a stock number that every index on stocks is keyed
// by. A stock number text is "numeric" when every character is a digit or a blank.

#include <string>
#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::format {

struct StockNumberRules {
  int stkno_len = 5;            // STKNO_LEN: stock number width of the run
  int stkno_len2 = 5;           // STKNO_LEN2: width of the stock master's stock number field
  bool sas_mkt = false;         // SAS_MKT flag
  bool after_sas_conv = false;  // AFTER_SAS_CONV flag
  char sno_just = 'L';          // SNO_JUST: 'L' left, 'R' right, 'Z' leading zeros

  // Reads the memory variables above. AFTER_SAS_CONV is created as false when it does not
  // exist; widths that are not numbers in 1..254 fall back to 5.
  static StockNumberRules FromVars(VarStore& vars);
};

bool IsNumericStockNo(std::string_view stkno);

// Key of a stock number at the run width (STRVAL).
std::string StrVal(std::string_view stkno, const StockNumberRules& rules);
// Key at the stock master's width (STRVAL3).
std::string StrVal3(std::string_view stkno, const StockNumberRules& rules);
// Five-character key: the last five digits of a longer number (STRVAL2).
std::string StrVal2(std::string_view stkno);
// Stock master form, justified by SNO_JUST (STRVAL_D).
std::string StrValD(std::string_view stkno, const StockNumberRules& rules);
// The trimmed text padded on the left with "0" to `width`; a longer text is kept whole.
std::string LeadZero(std::string_view text, int width);

}  // namespace zur::format
