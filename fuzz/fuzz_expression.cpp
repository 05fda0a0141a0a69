// Compiles arbitrary bytes as an expression; what compiles is evaluated against a few
// variables, two work areas and the stand-in routines, before and after the current area
// changes. Nothing may crash, hang or leak.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/expr/expression.h"
#include "platform/expr/tests/fake_field_source.h"
#include "platform/expr/tests/stand_in_functions.h"

using zur::Value;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zur::expr::Error error;
  auto e = zur::expr::Expression::Compile(text, error);
  if (!e) {
    (void)error.What();
    return 0;
  }
  zur::VarStore vars;
  vars.Set("N", Value(12.5));
  vars.Set("C", Value("Abc \xA4\x61 "));
  vars.Set("D", Value(*zur::Date::FromYmd(2026, 12, 8)));
  vars.Set("L", Value(true));
  vars.Set("A", Value::NewArray(3));
  vars.Set("SELF", Value("TYPE(SELF)+SELF"));
  zur::expr::testing::FakeFieldSource fields;
  fields.AddArea("MU", {"MACCT", "MSTKNO", "MDATE"});
  fields.AddRecord(0, {Value("C001    "), Value("  700"), Value(zur::Date())}, true);
  fields.AddArea("CL", {"LACCT", "LNAME", "N"});
  fields.AddRecord(1, {Value("A1      "), Value("Chan Tai Man"), Value(-3)});
  zur::expr::FunctionTable functions;
  zur::expr::testing::RegisterStandIns(functions);
  zur::expr::Context ctx;
  ctx.vars = &vars;
  ctx.fields = &fields;
  ctx.functions = &functions;
  Value out;
  if (e->Evaluate(ctx, out, error)) (void)out.TypeLetter();
  e->Evaluate(ctx, out, error);
  fields.Select(1);
  e->Evaluate(ctx, out, error);
  ctx.fields = nullptr;
  ctx.functions = nullptr;
  e->Evaluate(ctx, out, error);
  return 0;
}
