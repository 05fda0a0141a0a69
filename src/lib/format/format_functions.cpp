#include "lib/format/format_functions.h"

#include "lib/compat/routine_args.h"
#include "lib/format/account_code.h"
#include "lib/format/date_text.h"
#include "lib/format/field_split.h"
#include "lib/format/market.h"
#include "lib/format/stock_number.h"
#include "lib/format/upload_field.h"
#include "lib/text/line_window.h"
#include "lib/text/numeric_text.h"
#include "lib/text/text_lines.h"

namespace zur::format {
namespace {

using Args = std::span<Value>;
using compat::RoutineArgs;
using compat::StoreOf;
using compat::TextRoutine;

// A stock number routine: one text, the rules read from the store.
template <typename F>
expr::Function StockRoutine(std::string_view name, VarStore& bound, F f) {
  return [name, &bound, f](Args args, expr::Context& ctx, std::string& error) -> Value {
    RoutineArgs a(name, args, error);
    std::string_view stkno;
    if (!a.Text(0, stkno)) return Value();
    return Value(f(stkno, StockNumberRules::FromVars(StoreOf(ctx, bound))));
  };
}

// A routine of one date giving a text.
expr::Function DateRoutine(std::string_view name, std::string (*f)(Date)) {
  return [name, f](Args args, expr::Context&, std::string& error) -> Value {
    RoutineArgs a(name, args, error);
    Date d;
    if (!a.DateValue(0, d)) return Value();
    return Value(f(d));
  };
}

// A routine of the store alone.
template <typename F>
expr::Function StoreRoutine(VarStore& bound, F f) {
  return [&bound, f](Args, expr::Context& ctx, std::string&) -> Value {
    return Value(f(StoreOf(ctx, bound)));
  };
}

// The upload line P_STR, made a text when it is not one.
std::string& UploadLine(VarStore& vars) {
  Value* line = vars.Find("P_STR");
  if (line == nullptr || !line->IsChar()) {
    vars.Set("P_STR", Value(""));
    line = vars.Find("P_STR");
  }
  return line->str();
}

// Stores split fields into an array value shared with the caller.
void StoreFields(Array& target, const std::vector<std::string>& fields, size_t keep_size) {
  if (target.size() < keep_size) target.resize(keep_size);
  for (size_t i = 0; i < keep_size; ++i) target[i] = Value(fields[i]);
}

std::vector<std::string> TextsOf(const Array& array) {
  std::vector<std::string> out;
  out.reserve(array.size());
  for (const Value& v : array) out.push_back(v.IsChar() ? v.str() : std::string());
  return out;
}

void RegisterStockNumbers(expr::FunctionTable& table, VarStore& vars) {
  table.Register("STRVAL", StockRoutine("STRVAL", vars, StrVal));
  table.Register("STRVAL3", StockRoutine("STRVAL3", vars, StrVal3));
  table.Register("STRVAL_D", StockRoutine("STRVAL_D", vars, StrValD));
  table.Register("STRVAL2", TextRoutine("STRVAL2", StrVal2));
  table.Register("LEADZERO", [](Args args, expr::Context&, std::string& error) -> Value {
    RoutineArgs a("LEADZERO", args, error);
    std::string_view s;
    int width = 0;
    if (!a.Text(0, s) || !a.Width(1, width)) return Value();
    return Value(LeadZero(s, width));
  });
}

void RegisterAccountsAndUpload(expr::FunctionTable& table, VarStore& vars) {
  table.Register("CCASS0705", StoreRoutine(vars, Ccass0705));
  table.Register("CCASS0705R", StoreRoutine(vars, Ccass0705R));
  table.Register("FMTACNUM", [&vars](Args args, expr::Context& ctx, std::string& error) -> Value {
    RoutineArgs a("FMTACNUM", args, error);
    std::string_view account;
    if (!a.Text(0, account)) return Value();
    return Value(FmtAcNum(account, Ccass0705(StoreOf(ctx, vars))));
  });
  table.Register("SIEXCATC", [&vars](Args args, expr::Context& ctx, std::string& error) -> Value {
    RoutineArgs a("SIEXCATC", args, error);
    std::string_view subject;
    int end_column = 0;
    if (!a.Text(0, subject) || !a.Width(1, end_column)) return Value();
    VarStore& store = StoreOf(ctx, vars);
    std::string value(subject);  // the subject may be P_STR itself
    AppendTextField(UploadLine(store), value, end_column, TextFieldCharset::FromVars(store));
    return Value();
  });
  table.Register("SIEXCATN", [&vars](Args args, expr::Context& ctx, std::string& error) -> Value {
    RoutineArgs a("SIEXCATN", args, error);
    double number = 0;
    int width = 0;
    if (!a.Number(0, number) || !a.Width(1, width)) return Value();
    AppendNumberField(UploadLine(StoreOf(ctx, vars)), number, width);
    return Value();
  });
  table.Register("ISHKMARKET", TextRoutine("ISHKMARKET", IsHkMarket));
  table.Register("ISHKCURCY", TextRoutine("ISHKCURCY", IsHkCurrency));
}

void RegisterDates(expr::FunctionTable& table, VarStore& vars) {
  table.Register("DMYY", DateRoutine("DMYY", Dmyy));
  table.Register("FULLDATE", DateRoutine("FULLDATE", FullDate));
  table.Register("SHORTDATE", DateRoutine("SHORTDATE", ShortDate));
  table.Register("DATECONV", TextRoutine("DATECONV", DateConv));
  // FDMY(text [, variable name]): true and the normalised text put into the variable when
  // the text is a valid date.
  table.Register("FDMY", [&vars](Args args, expr::Context& ctx, std::string& error) -> Value {
    RoutineArgs a("FDMY", args, error);
    std::string_view typed, target;
    if (!a.Text(0, typed) || !a.OptText(1, target, "")) return Value();
    std::optional<std::string> normalised = Fdmy(typed);
    if (!normalised) return Value(false);
    if (!target.empty()) StoreOf(ctx, vars).Set(target, Value(*normalised));
    return Value(true);
  });
}

void RegisterSplitting(expr::FunctionTable& table, VarStore& vars) {
  table.Register("CUTCSV2", [](Args args, expr::Context&, std::string& error) -> Value {
    RoutineArgs a("CUTCSV2", args, error);
    std::string_view line;
    ArrayRef target;
    if (!a.Text(0, line) || !a.ArrayValue(1, target)) return Value();
    std::vector<std::string> fields;
    size_t n = CutCsv2(line, fields);
    StoreFields(*target, fields, n);
    return Value();
  });
  table.Register("CUTFIELD", [](Args args, expr::Context&, std::string& error) -> Value {
    RoutineArgs a("CUTFIELD", args, error);
    std::string_view line, separator;
    ArrayRef target;
    if (!a.Text(0, line) || !a.Text(1, separator) || !a.ArrayValue(2, target)) return Value();
    std::vector<std::string> fields = TextsOf(*target);
    CutField(line, separator, fields);
    StoreFields(*target, fields, fields.size());
    return Value();
  });
  table.Register("READTEXT2ARRARY", [](Args args, expr::Context&, std::string& error) -> Value {
    RoutineArgs a("READTEXT2ARRARY", args, error);
    std::string_view path;
    if (!a.Text(0, path)) return Value();
    text::TextLines read = text::ReadTextLines(std::string(path));
    if (!read.ok()) {
      error = "READTEXT2ARRARY: " + read.error;
      return Value();
    }
    Array lines;
    lines.reserve(read.lines.size());
    for (std::string& line : read.lines) lines.emplace_back(std::move(line));
    return Value::NewArray(std::move(lines));
  });
  table.Register("CUTCOMMA", TextRoutine("CUTCOMMA", text::CutComma));
  // SETLEN(): LINE_LEN := the terminator position in the read window M_STR.
  table.Register("SETLEN", [&vars](Args, expr::Context& ctx, std::string&) -> Value {
    VarStore& store = StoreOf(ctx, vars);
    Value window = store.Get("M_STR");
    size_t end = window.IsChar() ? text::LineEndPos(window.str()) : 0;
    store.Set("LINE_LEN", Value(static_cast<double>(end)));
    return Value();
  });
}

}  // namespace

void RegisterFormatFunctions(expr::FunctionTable& table, VarStore& vars) {
  RegisterStockNumbers(table, vars);
  RegisterAccountsAndUpload(table, vars);
  RegisterDates(table, vars);
  RegisterSplitting(table, vars);
}

}  // namespace zur::format
