// Compiling and evaluating expressions: operators, names, routines and faults.

#include <string>

#include "platform/expr/tests/expression_test_support.h"

namespace zur::expr::testing {
namespace {

TEST_F(ExprTest, Literals) {
  EXPECT_EQ(Text("\"a b\""), "a b");
  EXPECT_EQ(Text("'it'"), "it");
  EXPECT_EQ(Text("[say \"hi\"]"), "say \"hi\"");
  EXPECT_EQ(Num("12"), 12);
  EXPECT_EQ(Num("12.50"), 12.5);
  EXPECT_EQ(Num(".5"), 0.5);
  EXPECT_EQ(Num("7."), 7);
  EXPECT_TRUE(True(".t."));
  EXPECT_TRUE(True(".Y."));
  EXPECT_FALSE(True(".F."));
  EXPECT_FALSE(True(".n."));
}

TEST_F(ExprTest, Precedence) {
  EXPECT_EQ(Num("1+2*3"), 7);
  EXPECT_EQ(Num("(1+2)*3"), 9);
  EXPECT_EQ(Num("10-4-3"), 3);
  EXPECT_EQ(Num("12/3/2"), 2);
  EXPECT_EQ(Num("-2*-3"), 6);
  EXPECT_EQ(Num("- -2"), 2);
  EXPECT_TRUE(True("1+1=2"));
  EXPECT_TRUE(True(".T. .OR. .F. .AND. .F."));  // .AND. binds tighter
  EXPECT_FALSE(True("(.T. .OR. .F.) .AND. .F."));
  EXPECT_TRUE(True(".NOT. 1=2 .AND. 2=2"));  // .NOT. binds tighter than .AND.
  EXPECT_FALSE(True("!.T. .OR. .F."));
  EXPECT_TRUE(True("[a]+[b]$[xaby]"));  // + before $
}

TEST_F(ExprTest, ArithmeticAndConcatenation) {
  EXPECT_EQ(Text("[AB  ]+[CD ]"), "AB  CD ");
  EXPECT_EQ(Text("[AB  ]-[CD ]"), "ABCD   ");
  EXPECT_EQ(Text("[   ]-[X]"), "X   ");
  EXPECT_EQ(Num("7/2"), 3.5);
  const Value d = Eval("CTOD('28/02/2024')+1");
  ASSERT_TRUE(d.IsDate());
  EXPECT_EQ(d.date().Dtos(), "20240229");
  EXPECT_EQ(Eval("2+CTOD('31/12/2023')").date().Dtos(), "20240102");
  EXPECT_EQ(Eval("CTOD('01/03/2024')-1").date().Dtos(), "20240229");
  EXPECT_EQ(Num("CTOD('01/03/2024')-CTOD('01/02/2024')"), 29);
  EXPECT_TRUE(Eval("CTOD('')+5").date().IsBlank());
}

TEST_F(ExprTest, ArithmeticFaults) {
  EXPECT_EQ(Fails("1/0").message, "Division by zero");
  EXPECT_EQ(Fails("1/0").position, 1u);
  EXPECT_EQ(Fails("[a]+1").message, "Type mismatch in +");
  EXPECT_EQ(Fails("[a]*[b]").message, "Type mismatch in *");
  EXPECT_EQ(Fails("-[a]").message, "Type mismatch in unary -");
  EXPECT_EQ(Fails("1 - DATE()").message, "Type mismatch in -");
  EXPECT_EQ(Fails("1e0").message, "Syntax error");  // no exponents: a number, then a name
  EXPECT_EQ(Fails("VAL(REPLICATE([9],300))*VAL(REPLICATE([9],300))").message, "Numeric overflow");
  EXPECT_EQ(Fails("DATE()+10000000").message, "Date out of range");
  EXPECT_EQ(Fails("REPLICATE([x],1000000)+REPLICATE([x],100000)").message,
            "Character value too long");
}

TEST_F(ExprTest, NonExactTextComparison) {
  EXPECT_TRUE(True("[A1      ]=[A1]"));  // a padded field begins with the value
  EXPECT_TRUE(True("[A123]=[A1]"));      // a longer code matches its prefix
  EXPECT_FALSE(True("[A]=[A1]"));
  EXPECT_TRUE(True("[Y]=[Y  ]"));  // trailing blanks of the right do not count
  EXPECT_TRUE(True("[]=[    ]"));  // the blank test
  EXPECT_FALSE(True("[]=[ X ]"));
  EXPECT_TRUE(True("[ABC]=[]"));
  EXPECT_FALSE(True("[A1      ]==[A1]"));
  EXPECT_TRUE(True("[A1]==[A1]"));
  EXPECT_FALSE(True("[A1]==[A1 ]"));
  EXPECT_FALSE(True("[A123]<>[A1]"));
  EXPECT_FALSE(True("[A123]#[A1]"));
  EXPECT_TRUE(True("[A123]!=[A2]"));
  EXPECT_FALSE(True("[ABC]<[AB]"));
  EXPECT_TRUE(True("[ABC]>=[AB]"));
  EXPECT_TRUE(True("[ABC]<=[AB]"));
  EXPECT_TRUE(True("[AB]<[ABC]"));
  EXPECT_TRUE(True("[B]>[ABC]"));
  EXPECT_TRUE(True("[\xA4\x40]>[z]"));  // bytes compare unsigned
}

TEST_F(ExprTest, OtherComparisons) {
  EXPECT_TRUE(True("2<10"));
  EXPECT_TRUE(True("2.5>=2.5"));
  EXPECT_TRUE(True("CTOD('01/01/2024')<CTOD('02/01/2024')"));
  EXPECT_TRUE(True("CTOD('')<CTOD('01/01/0001')"));  // the blank date sorts first
  EXPECT_TRUE(True(".F.<.T."));
  EXPECT_TRUE(True(".T.=.T."));
  EXPECT_TRUE(True("[AB]$[xABy]"));
  EXPECT_FALSE(True("[ab]$[xABy]"));
  EXPECT_FALSE(True("[]$[xABy]"));
  EXPECT_EQ(Fails("1=[1]").message, "Type mismatch in =");
  EXPECT_EQ(Fails("1$[1]").message, "Type mismatch in $");
  EXPECT_EQ(Fails("DATE()<.T.").message, "Type mismatch in <");
}

TEST_F(ExprTest, LogicalOperatorsShortCircuit) {
  // The right side is not evaluated once the left decides: no undefined-variable fault.
  EXPECT_FALSE(True(".F. .AND. NO_SUCH_VAR"));
  EXPECT_TRUE(True(".T. .OR. NO_SUCH_VAR"));
  EXPECT_EQ(Fails(".T. .AND. NO_SUCH_VAR").message, "Undefined variable NO_SUCH_VAR");
  EXPECT_EQ(Fails("1 .AND. .T.").message, "Type mismatch in .AND.");
  EXPECT_EQ(Fails(".F. .OR. 1").message, "Type mismatch in .OR.");
  EXPECT_EQ(Fails(".NOT. [x]").message, "Type mismatch in .NOT.");
}

TEST_F(ExprTest, SyntaxErrorsAndPositions) {
  struct Case {
    const char* text;
    size_t position;
    const char* message;
  };
  const Case cases[] = {
      {"", 0, "Incomplete expression"},
      {"1 +", 3, "Incomplete expression"},
      {"(1+2", 4, "Missing right parenthesis"},
      {"1+2)", 3, "Unbalanced right parenthesis"},
      {"LACCT=[A1", 6, "Unterminated string"},
      {"1 .XOR. 2", 2, "Unknown operator"},
      {"A B", 2, "Syntax error"},
      {"UPPER(A,", 8, "Incomplete expression"},
      {"A->", 3, "Name expected after ->"},
      {"IIF(.T., 1)", 0, "IIF needs three arguments"},
      {"1 ? 2", 2, "Unexpected character"},
      {"99999999999999999999999999999999999999999999999999999999999999999999999999999999"
       "99999999999999999999999999999999999999999999999999999999999999999999999999999999"
       "99999999999999999999999999999999999999999999999999999999999999999999999999999999"
       "99999999999999999999999999999999999999999999999999999999999999999999999999999999",
       0, "Number out of range"},
  };
  for (const Case& c : cases) {
    Error error;
    EXPECT_EQ(Expression::Compile(c.text, error), nullptr) << c.text;
    EXPECT_EQ(error.position, c.position) << c.text;
    EXPECT_EQ(error.message, c.message) << c.text;
    EXPECT_EQ(error.text, c.text);
  }
  Error error;
  Expression::Compile("1 +", error);
  EXPECT_EQ(error.What(), "Incomplete expression at column 4 of: 1 +");
}

TEST_F(ExprTest, DeepNestingIsAnErrorNotACrash) {
  for (const std::string& text : {std::string(100000, '(') + "1", std::string(100000, '-') + "1",
                                  [] {
                                    std::string s = "1";
                                    for (int i = 0; i < 100000; ++i) s += "+1";
                                    return s;
                                  }(),
                                  [] {
                                    std::string s;
                                    for (int i = 0; i < 100000; ++i) s += ".NOT. ";
                                    return s + ".T.";
                                  }(),
                                  [] {
                                    std::string s;
                                    for (int i = 0; i < 100000; ++i) s += "UPPER(";
                                    return s;
                                  }()}) {
    Error error;
    EXPECT_EQ(Expression::Compile(text, error), nullptr);
    EXPECT_EQ(error.message, "Expression too deeply nested");
  }
  EXPECT_EQ(Num(std::string(150, '(') + "1" + std::string(150, ')')), 1);
}

TEST_F(ExprTest, VariablesAndFields) {
  vars.Set("Name", Value("variable"));
  vars.Set("ONLYVAR", Value(5));
  fields.AddArea("CL", {"NAME", "LACCT"});
  fields.AddRecord(0, {Value("field"), Value("A1      ")});
  fields.AddArea("SM", {"MSTKNO"});
  fields.AddRecord(1, {Value("5")});
  ctx.fields = &fields;
  EXPECT_EQ(Text("name"), "field");  // fields win over variables
  EXPECT_EQ(Text("M->Name"), "variable");
  EXPECT_EQ(Text("memvar->NAME"), "variable");
  EXPECT_EQ(Text("cl->name"), "field");
  EXPECT_EQ(Text("SM->MSTKNO"), "5");
  EXPECT_EQ(Num("ONLYVAR"), 5);                                     // no such field: the variable
  EXPECT_EQ(Fails("MSTKNO").message, "Undefined variable MSTKNO");  // not current area
  EXPECT_EQ(Fails("XX->NAME").message, "Undefined field XX->NAME");
  EXPECT_EQ(Fails("M->LACCT").message, "Undefined variable LACCT");
  EXPECT_EQ(Fails("M->LACCT").position, 0u);
  ctx.fields = nullptr;
  EXPECT_EQ(Text("name"), "variable");
  EXPECT_EQ(Fails("CL->NAME").message, "Undefined field CL->NAME");
}

TEST_F(ExprTest, FieldHandlesAreResolvedOncePerGeneration) {
  fields.AddArea("A", {"F1"});
  fields.AddRecord(0, {Value("first")});
  fields.AddRecord(0, {Value("second")});
  fields.AddArea("B", {"F1"});
  fields.AddRecord(1, {Value("other area")});
  ctx.fields = &fields;
  Error error;
  auto e = Expression::Compile("F1+[!]", error);
  ASSERT_NE(e, nullptr);
  Value out;
  ASSERT_TRUE(e->Evaluate(ctx, out, error));
  EXPECT_EQ(out.str(), "first!");
  const int lookups = fields.lookups();
  fields.Goto(0, 2);
  ASSERT_TRUE(e->Evaluate(ctx, out, error));
  EXPECT_EQ(out.str(), "second!");
  EXPECT_EQ(fields.lookups(), lookups);  // same generation: no new lookup
  fields.Select(1);
  ASSERT_TRUE(e->Evaluate(ctx, out, error));
  EXPECT_EQ(out.str(), "other area!");
  EXPECT_EQ(fields.lookups(), lookups + 1);
  FakeFieldSource other;  // another source with the same generation number
  other.AddArea("C", {"F1"});
  other.AddRecord(0, {Value("another source")});
  ctx.fields = &other;
  ASSERT_TRUE(e->Evaluate(ctx, out, error));
  EXPECT_EQ(out.str(), "another source!");
}

TEST_F(ExprTest, IndexKeys) {
  fields.AddArea("MU", {"MACCT", "MSTKNO"});
  fields.AddRecord(0, {Value("C001    "), Value("5    ")});
  fields.AddArea("ZUR", {"ASTKNO", "AATI"});
  fields.AddRecord(1, {Value("   700"), Value("01")});
  functions.Register("STRVAL", StrVal3);
  ctx.fields = &fields;
  EXPECT_EQ(Text("MACCT+STRVAL3(MSTKNO)"), "C001        5");
  fields.Select(1);
  EXPECT_EQ(Text("STRVAL(ASTKNO)+AATI"), "  70001");
}

TEST_F(ExprTest, MaintenanceFilter) {
  fields.AddArea("CL", {"LACCT", "LSEGAC", "LNAME", "LNAME2"});
  fields.AddRecord(0, {Value("A1234   "), Value("S1"), Value("Chan Tai Man"), Value("")});
  fields.AddRecord(0, {Value("A2      "), Value("S1"), Value("CHAN"), Value("")});
  fields.AddRecord(0, {Value("A1      "), Value("S2"), Value("Lee"), Value("\xB3\xAF ABC")});
  ctx.fields = &fields;
  const char* filter =
      "LACCT=[A1] .AND. LSEGAC=[S1] .AND. ([CHAN]$UPPER(LNAME) .OR. [CHAN]$UPPER(LNAME2) .OR. "
      "[CHAN]$LNAME .OR. [CHAN]$LNAME2)";
  Error error;
  auto e = Expression::Compile(filter, error);
  ASSERT_NE(e, nullptr) << error.What();
  std::vector<bool> matches;
  for (size_t r = 1; r <= 3; ++r) {
    fields.Goto(0, r);
    Value out;
    ASSERT_TRUE(e->Evaluate(ctx, out, error)) << error.What();
    matches.push_back(out.IsTrue());
  }
  EXPECT_EQ(matches, (std::vector<bool>{true, false, false}));
  fields.Goto(0, 3);
  EXPECT_TRUE(True("LACCT=[A1] .AND. ([ABC]$UPPER(LNAME) .OR. [ABC]$LNAME2)"));
}

TEST_F(ExprTest, FunctionTable) {
  functions.Register("IsFlagSet", [](std::span<Value> args, Context& c, std::string& error) {
    if (args.size() != 1 || !args[0].IsChar()) {
      error = "flag name expected";
      return Value();
    }
    return Value(c.vars->Get(args[0].str()).IsTrue());
  });
  vars.Set("WIN_GUI", Value(true));
  EXPECT_TRUE(True("isflagset([WIN_GUI])"));
  EXPECT_FALSE(True("ISFLAGSET([PRINT_PDF])"));
  const Error e = Fails("1+ISFLAGSET(1)");
  EXPECT_EQ(e.message, "ISFLAGSET: flag name expected");
  EXPECT_EQ(e.position, 2u);
  EXPECT_EQ(Fails("NOSUCH(1)").message, "Undefined function NOSUCH");
  functions.Register("Thrower", [](std::span<Value>, Context&, std::string&) -> Value {
    throw std::runtime_error("broken");
  });
  EXPECT_EQ(Fails("THROWER()").message, "THROWER: broken");
}

TEST_F(ExprTest, RegisteredRoutinesReplaceBuiltinsEvenAfterCompiling) {
  Error error;
  auto e = Expression::Compile("UPPER([a])", error);
  ASSERT_NE(e, nullptr);
  Value out;
  ASSERT_TRUE(e->Evaluate(ctx, out, error));
  EXPECT_EQ(out.str(), "A");
  functions.Register("UPPER",
                     [](std::span<Value>, Context&, std::string&) { return Value("mine"); });
  ASSERT_TRUE(e->Evaluate(ctx, out, error));
  EXPECT_EQ(out.str(), "mine");
}

TEST_F(ExprTest, CompiledCallsFollowTheTableOfEachEvaluation) {
  Error error;
  auto e = Expression::Compile("F()", error);
  ASSERT_NE(e, nullptr);
  auto returning = [](const char* text) {
    return [text](std::span<Value>, Context&, std::string&) { return Value(text); };
  };
  Value out;
  for (const char* text : {"one", "two"}) {
    // Tables made one after another may share an address and a registration count.
    FunctionTable table;
    table.Register("F", returning(text));
    ctx.functions = &table;
    ASSERT_TRUE(e->Evaluate(ctx, out, error));
    EXPECT_EQ(out.str(), text);
  }
  FunctionTable first;
  first.Register("F", returning("first"));
  FunctionTable second = first;
  second.Register("F", returning("second"));
  ctx.functions = &first;
  ASSERT_TRUE(e->Evaluate(ctx, out, error));
  first = second;
  ASSERT_TRUE(e->Evaluate(ctx, out, error));
  EXPECT_EQ(out.str(), "second");
  FunctionTable moved = std::move(first);
  ASSERT_FALSE(e->Evaluate(ctx, out, error));  // the moved-from table is empty
  EXPECT_EQ(error.message, "Undefined function F");
  ctx.functions = &moved;
  ASSERT_TRUE(e->Evaluate(ctx, out, error));
  EXPECT_EQ(out.str(), "second");
}

TEST_F(ExprTest, ExpressionThatEvaluatesItselfIsStopped) {
  Error error;
  std::unique_ptr<Expression> e = Expression::Compile("AGAIN()", error);
  ASSERT_NE(e, nullptr);
  functions.Register("AGAIN", [&e](std::span<Value>, Context& c, std::string& err) {
    Value v;
    Error inner;
    if (!e->Evaluate(c, v, inner)) err = inner.message;
    return v;
  });
  Value out;
  EXPECT_FALSE(e->Evaluate(ctx, out, error));
  EXPECT_EQ(error.message, "AGAIN: Expression evaluated within itself");
  // A text that evaluates a text naming itself ends at the nesting limit.
  vars.Set("X", Value("TYPE(X)"));
  EXPECT_EQ(Text("TYPE(X)"), "C");
  functions.Register("EVAL", [](std::span<Value> args, Context& c, std::string& err) {
    Value v;
    Error inner;
    if (!EvaluateText(args[0].StrOr(), c, v, inner)) err = inner.message;
    return v;
  });
  vars.Set("Y", Value("EVAL(Y)"));
  EXPECT_NE(Fails("EVAL(Y)").message.find("Evaluations nested too deeply"), std::string::npos);
}

TEST_F(ExprTest, ConsoleAssignmentsNeedOnlyBuiltins) {
  Context bare;
  Value out;
  Error error;
  ASSERT_TRUE(EvaluateText("UPPER([x])+STR(12,4)", bare, out, error)) << error.What();
  EXPECT_EQ(out.str(), "X  12");
  EXPECT_FALSE(EvaluateText("SOME_VAR", bare, out, error));
  EXPECT_EQ(error.message, "Undefined variable SOME_VAR");
}

}  // namespace
}  // namespace zur::expr::testing
