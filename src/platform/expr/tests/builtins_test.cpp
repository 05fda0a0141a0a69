// The built-in functions: the edge cases callers meet.

#include "platform/expr/tests/expression_test_support.h"

namespace zur::expr::testing {
namespace {

TEST_F(ExprTest, CaseLeavesBig5Alone) {
  EXPECT_EQ(Text("UPPER([abc xyz 09])"), "ABC XYZ 09");
  EXPECT_EQ(Text("LOWER([ABC])"), "abc");
  // "\xA4\x61" and "\xB3\x5A" are Chinese characters whose second bytes read as 'a' and 'Z'.
  vars.Set("CN", Value("a\xA4\x61z\xB3\x5A"));
  EXPECT_EQ(Text("UPPER(CN)"), "A\xA4\x61Z\xB3\x5A");
  EXPECT_EQ(Text("LOWER(CN)"), "a\xA4\x61z\xB3\x5A");
  vars.Set("CUT", Value("ab\xA4"));  // a lead byte at the very end
  EXPECT_EQ(Text("UPPER(CUT)"), "AB\xA4");
}

TEST_F(ExprTest, Trimming) {
  EXPECT_EQ(Text("TRIM([ a b  ])"), " a b");
  EXPECT_EQ(Text("RTRIM([   ])"), "");
  EXPECT_EQ(Text("LTRIM([  a ])"), "a ");
  EXPECT_EQ(Text("ALLTRIM([  a b ])"), "a b");
  EXPECT_EQ(Text("ALLTRIM([])"), "");
}

TEST_F(ExprTest, Substrings) {
  EXPECT_EQ(Text("SUBSTR([ABCDE],2,3)"), "BCD");
  EXPECT_EQ(Text("SUBSTR([ABCDE],4)"), "DE");
  EXPECT_EQ(Text("SUBSTR([ABCDE],0,2)"), "AB");
  EXPECT_EQ(Text("SUBSTR([ABCDE],-2)"), "DE");
  EXPECT_EQ(Text("SUBSTR([ABCDE],-9,2)"), "AB");
  EXPECT_EQ(Text("SUBSTR([ABCDE],6)"), "");
  EXPECT_EQ(Text("SUBSTR([ABCDE],2,-1)"), "");
  EXPECT_EQ(Text("SUBSTR([ABCDE],2,1000000000000000)"), "BCDE");
  EXPECT_EQ(Text("LEFT([ABC],2)+RIGHT([XYZ],2)"), "ABYZ");
  EXPECT_EQ(Text("LEFT([ABC],-1)+RIGHT([XYZ],-1)"), "");
  EXPECT_EQ(Text("LEFT([ABC],9)+RIGHT([XYZ],9)"), "ABCXYZ");
  EXPECT_EQ(Num("LEN([ABC  ])"), 5);
  EXPECT_EQ(Num("AT([CD],[ABCDCD])"), 3);
  EXPECT_EQ(Num("AT([X],[ABC])"), 0);
  EXPECT_EQ(Num("AT([],[ABC])"), 0);
  EXPECT_EQ(Fails("SUBSTR([A],1/0)").message, "Division by zero");
  vars.Set("BIG", Value(1e300 * 1e10));  // infinity, as a damaged memory file may hold
  EXPECT_EQ(Fails("SUBSTR([A],BIG)").message, "SUBSTR: Argument 2 out of range");
}

TEST_F(ExprTest, BuildingTextsIsBounded) {
  EXPECT_EQ(Text("SPACE(3)"), "   ");
  EXPECT_EQ(Text("SPACE(-3)"), "");
  EXPECT_EQ(Text("REPLICATE([ab],3)"), "ababab");
  EXPECT_EQ(Text("REPLICATE([],1000000)"), "");
  EXPECT_EQ(Text("PADL([7],3)+PADR([7],3)+PADL([12345],3)"), "  77  123");
  EXPECT_EQ(Text("PADL([7],3,[0])+PADR([x],3,[-*])"), "007x--");
  EXPECT_EQ(Fails("SPACE(1000000000)").message, "SPACE: Argument 1 too large");
  EXPECT_EQ(Fails("PADL([x],1000000000000)").message, "PADL: Argument 2 too large");
  EXPECT_EQ(Fails("REPLICATE([abc],1000000)").message, "REPLICATE: Result too long");
}

TEST_F(ExprTest, CharacterCodes) {
  EXPECT_EQ(Text("CHR(65)+CHR(321)"), "AA");
  EXPECT_EQ(Text("CHR(-1)"), "\xFF");
  EXPECT_EQ(Num("ASC([\xA4\x40])"), 0xA4);
  EXPECT_EQ(Num("ASC([])"), 0);
}

TEST_F(ExprTest, StrAndVal) {
  EXPECT_EQ(Text("STR(123)"), "       123");
  EXPECT_EQ(Text("STR(2.5)"), "         3");  // half away from zero
  EXPECT_EQ(Text("STR(-2.5,4)"), "  -3");
  EXPECT_EQ(Text("STR(3.14159,6,2)"), "  3.14");
  EXPECT_EQ(Text("STR(-0.001,5,2)"), " 0.00");
  EXPECT_EQ(Text("STR(12345,3)"), "***");
  EXPECT_EQ(Text("STR(10000000000,10)"), "**********");
  EXPECT_EQ(Text("STR(99.999,5,2)"), "*****");
  EXPECT_EQ(Fails("STR(1,0)").message, "STR: width must be 1 to 255");
  EXPECT_EQ(Fails("STR(1,5,-1)").message, "STR: decimals must be 0 to 30");
  EXPECT_EQ(Fails("STR([1])").message, "STR: Type mismatch in argument 1");
  EXPECT_EQ(Num("VAL([  12.5abc])"), 12.5);
  EXPECT_EQ(Num("VAL([-7])"), -7);
  EXPECT_EQ(Num("VAL([abc])"), 0);
  EXPECT_EQ(Num("VAL([])"), 0);
  EXPECT_EQ(Num("VAL([1.2.3])"), 1.2);
  EXPECT_EQ(Num("VAL([0.] + REPLICATE([0],400) + [1])"), 0);
  EXPECT_EQ(Fails("VAL(REPLICATE([9],400))").message, "VAL: number out of range");
}

TEST_F(ExprTest, Dates) {
  // Dates show without the century; two digits stand for 1986 to 2085.
  EXPECT_EQ(Text("DTOC(CTOD([08/12/2026]))"), "08/12/26");
  EXPECT_EQ(Text("DTOS(CTOD([ 8/2/26 ]))"), "20260208");
  EXPECT_EQ(Text("DTOS(CTOD([1/1/75]))"), "20750101");
  EXPECT_EQ(Text("DTOS(CTOD([31/12/85]))"), "20851231");
  EXPECT_EQ(Text("DTOS(CTOD([1/1/86]))"), "19860101");
  EXPECT_EQ(Text("DTOS(CTOD([1/1/1975]))"), "19750101");
  EXPECT_EQ(Text("DTOC(CTOD([31/02/2024]))"), "  /  /  ");
  EXPECT_EQ(Text("DTOC(CTOD([  /  /    ]))"), "  /  /  ");
  EXPECT_EQ(Text("DTOS(CTOD([2024-01-01]))"), "        ");
  EXPECT_EQ(Text("DTOS(CTOD([1/1/12345]))"), "        ");
  EXPECT_TRUE(True("DATE()=DATE() .AND. !EMPTY(DATE())"));
  EXPECT_EQ(Fails("DTOC([01/01/2024])").message, "DTOC: Type mismatch in argument 1");
}

TEST_F(ExprTest, IifIsLazy) {
  EXPECT_EQ(Text("IIF(1<2,[yes],NO_SUCH_VAR)"), "yes");
  EXPECT_EQ(Num("IF(.F.,1/0,2)"), 2);
  EXPECT_EQ(Fails("IIF(1,2,3)").message, "Type mismatch in IIF");
  EXPECT_EQ(Fails("IIF(1,2,3)").position, 4u);
}

TEST_F(ExprTest, EmptyAndType) {
  vars.Set("ARR", Value::NewArray());
  EXPECT_TRUE(True("EMPTY([  ]) .AND. EMPTY(0) .AND. EMPTY(.F.) .AND. EMPTY(CTOD([]))"));
  EXPECT_TRUE(True("EMPTY(ARR)"));
  EXPECT_FALSE(True("EMPTY([ x]) .OR. EMPTY(-1) .OR. EMPTY(.T.) .OR. EMPTY(DATE())"));
  vars.Set("N", Value(1));
  EXPECT_EQ(Text("TYPE([N])+TYPE([N+1])+TYPE(['a'])+TYPE([DATE()])+TYPE([1=1])"), "NNCDL");
  EXPECT_EQ(Text("TYPE([ARR])"), "A");
  EXPECT_EQ(Text("TYPE([UNDEFINED])+TYPE([1+])+TYPE([1/0])+TYPE(\"N+[x]\")"), "UUUU");
}

TEST_F(ExprTest, RecordFunctions) {
  EXPECT_EQ(Num("RECNO()"), 0);
  EXPECT_FALSE(True("DELETED()"));
  fields.AddArea("A", {"F"});
  fields.AddRecord(0, {Value(1)});
  fields.AddRecord(0, {Value(2)}, true);
  ctx.fields = &fields;
  fields.Goto(0, 2);
  EXPECT_EQ(Num("RECNO()"), 2);
  EXPECT_TRUE(True("DELETED()"));
}

TEST_F(ExprTest, ArgumentCounts) {
  EXPECT_EQ(Fails("UPPER()").message, "Wrong number of arguments to UPPER");
  EXPECT_EQ(Fails("UPPER([a],[b])").message, "Wrong number of arguments to UPPER");
  EXPECT_EQ(Fails("DATE(1)").message, "Wrong number of arguments to DATE");
  EXPECT_EQ(Fails("LEN(1)").message, "LEN: Type mismatch in argument 1");
}

}  // namespace
}  // namespace zur::expr::testing
