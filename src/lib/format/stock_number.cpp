#include "lib/format/stock_number.h"

#include <algorithm>

#include "lib/compat/named_flags.h"
#include "lib/text/trim_pad.h"

namespace zur::format {
namespace {

constexpr int kPlainWidth = 5;

int WidthVar(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  if (v == nullptr || !v->IsNum()) return kPlainWidth;
  double n = v->num();
  if (!(n >= 1 && n <= 254)) return kPlainWidth;
  return static_cast<int>(n);
}

// The digits of the number a numeric stock number holds ("00005" -> "5", " 12 3" -> "12"):
// the first run of digits, without leading zeros; exact however long the run is.
std::string ValueDigits(std::string_view stkno) {
  std::string_view digits = text::LTrim(stkno);
  digits = digits.substr(0, digits.find(' '));
  size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? "0" : std::string(digits.substr(first));
}

// Right-justified in `width`; a number with more digits than that is kept whole rather than
// cut, so that two different stocks never share a key.
std::string RightJustified(std::string_view digits, int width) {
  if (digits.size() >= static_cast<size_t>(width)) return std::string(digits);
  return text::PadL(digits, static_cast<size_t>(width));
}

// A converted stock number ("0" first, exactly the master's width) is already in key form.
bool IsConvertedForm(std::string_view stkno, int width) {
  return !stkno.empty() && stkno.front() == '0' &&
         text::RTrim(stkno).size() == static_cast<size_t>(width);
}

// STRVAL and STRVAL3 differ only in the width used under SAS_MKT.
std::string StrValAt(std::string_view stkno, const StockNumberRules& rules, int sas_width) {
  int width = rules.sas_mkt ? sas_width : kPlainWidth;
  if (text::IsBlank(stkno)) return std::string(static_cast<size_t>(width), ' ');
  if (!IsNumericStockNo(stkno)) return text::PadR(stkno, static_cast<size_t>(width));
  if (rules.sas_mkt && rules.after_sas_conv && IsConvertedForm(stkno, sas_width))
    return std::string(stkno);
  return RightJustified(ValueDigits(stkno), width);
}

}  // namespace

StockNumberRules StockNumberRules::FromVars(VarStore& vars) {
  StockNumberRules r;
  r.stkno_len = WidthVar(vars, "STKNO_LEN");
  r.stkno_len2 = WidthVar(vars, "STKNO_LEN2");
  r.sas_mkt = compat::IsFlagSet(vars, "SAS_MKT");
  if (!vars.Exists("AFTER_SAS_CONV")) vars.Set("AFTER_SAS_CONV", Value(false));
  r.after_sas_conv = compat::IsFlagSet(vars, "AFTER_SAS_CONV");
  const Value* just = vars.Find("SNO_JUST");
  r.sno_just = 'L';
  if (just != nullptr && just->IsChar()) {
    std::string j = text::Upper(text::AllTrim(just->str()));
    if (j == "R" || j == "Z") r.sno_just = j[0];
  }
  return r;
}

bool IsNumericStockNo(std::string_view stkno) {
  return std::all_of(stkno.begin(), stkno.end(),
                     [](char c) { return c == ' ' || (c >= '0' && c <= '9'); });
}

std::string StrVal(std::string_view stkno, const StockNumberRules& rules) {
  return StrValAt(stkno, rules, rules.stkno_len);
}

std::string StrVal3(std::string_view stkno, const StockNumberRules& rules) {
  return StrValAt(stkno, rules, rules.stkno_len2);
}

std::string StrVal2(std::string_view stkno) {
  if (text::IsBlank(stkno)) return std::string(kPlainWidth, ' ');
  if (!IsNumericStockNo(stkno)) return text::PadR(stkno, kPlainWidth);
  std::string digits = ValueDigits(stkno);
  if (digits.size() > kPlainWidth) return digits.substr(digits.size() - kPlainWidth);
  return RightJustified(digits, kPlainWidth);
}

std::string StrValD(std::string_view stkno, const StockNumberRules& rules) {
  int width = rules.sas_mkt ? rules.stkno_len2 : kPlainWidth;
  if (text::IsBlank(stkno)) return std::string(static_cast<size_t>(width), ' ');
  if (!IsNumericStockNo(stkno)) return text::PadR(stkno, static_cast<size_t>(width));
  if (!rules.sas_mkt) return RightJustified(ValueDigits(stkno), kPlainWidth);
  if (!rules.after_sas_conv) return text::PadR(text::AllTrim(stkno), static_cast<size_t>(width));
  if (IsConvertedForm(stkno, width)) return std::string(stkno);
  std::string digits = ValueDigits(stkno);
  switch (rules.sno_just) {
    case 'Z':
      return LeadZero(digits, width - 1) + " ";
    case 'R':
      return RightJustified(digits, width);
    default:
      return text::PadR(digits, std::max(static_cast<size_t>(width), digits.size()));
  }
}

std::string LeadZero(std::string_view text, int width) {
  std::string_view trimmed = text::AllTrim(text);
  if (width <= 0 || trimmed.size() >= static_cast<size_t>(width)) return std::string(trimmed);
  return text::PadL(trimmed, static_cast<size_t>(width), '0');
}

}  // namespace zur::format
