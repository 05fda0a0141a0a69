// Recursive-descent parser. Precedence, loosest first: .OR., .AND., .NOT., relational
// (= == <> != # < <= > >= $), + -, * /, unary + -, operands.

#include "platform/expr/parser.h"

#include <algorithm>
#include <vector>

#include "platform/expr/limits.h"
#include "platform/expr/token.h"

namespace zur::expr {
namespace {

class Parser {
 public:
  Parser(std::vector<Token> tokens, Program& program)
      : tokens_(std::move(tokens)), prog_(program) {}

  bool Run(size_t& error_pos, std::string& message) {
    int root = ParseOr();
    if (root >= 0 && Peek().kind != Tok::kEnd) {
      root = Fail(Peek().pos,
                  Peek().kind == Tok::kRParen ? "Unbalanced right parenthesis" : "Syntax error");
    }
    if (root < 0) {
      error_pos = err_pos_;
      message = err_;
      return false;
    }
    prog_.root = root;
    return true;
  }

 private:
  // Counts nested parse levels so that "((((..." ends in an error, not a stack overflow.
  class Nest {
   public:
    explicit Nest(Parser& p) : p_(p) { ++p_.nesting_; }
    ~Nest() { --p_.nesting_; }
    bool TooDeep() const { return p_.nesting_ > kMaxDepth; }

   private:
    Parser& p_;
  };

  const Token& Peek() const { return tokens_[i_]; }
  const Token& Take() { return tokens_[i_ < tokens_.size() - 1 ? i_++ : i_]; }
  bool Accept(Tok kind) {
    if (Peek().kind != kind) return false;
    ++i_;
    return true;
  }

  int Fail(size_t pos, std::string message) {
    if (err_.empty()) {
      err_pos_ = pos;
      err_ = std::move(message);
    }
    return -1;
  }

  // Adds a node; its depth is one more than its deepest child.
  int Add(Node node) {
    int d = 0;
    for (int child : {node.a, node.b, node.c}) {
      if (child >= 0) d = std::max(d, depth_[child]);
    }
    for (int child : node.args) d = std::max(d, depth_[child]);
    if (d + 1 > kMaxDepth) return Fail(node.pos, "Expression too deeply nested");
    prog_.nodes.push_back(std::move(node));
    depth_.push_back(d + 1);
    return static_cast<int>(prog_.nodes.size() - 1);
  }

  int Binary(Op op, size_t pos, int left, int right) {
    if (left < 0 || right < 0) return -1;
    Node n;
    n.op = op;
    n.pos = pos;
    n.a = left;
    n.b = right;
    return Add(std::move(n));
  }

  int Unary(Op op, size_t pos, int operand) {
    if (operand < 0) return -1;
    Node n;
    n.op = op;
    n.pos = pos;
    n.a = operand;
    return Add(std::move(n));
  }

  int ParseOr() {
    Nest nest(*this);
    if (nest.TooDeep()) return Fail(Peek().pos, "Expression too deeply nested");
    int left = ParseAnd();
    while (left >= 0 && Peek().kind == Tok::kOr) {
      const size_t pos = Take().pos;
      left = Binary(Op::kOr, pos, left, ParseAnd());
    }
    return left;
  }

  int ParseAnd() {
    int left = ParseNot();
    while (left >= 0 && Peek().kind == Tok::kAnd) {
      const size_t pos = Take().pos;
      left = Binary(Op::kAnd, pos, left, ParseNot());
    }
    return left;
  }

  int ParseNot() {
    if (Peek().kind != Tok::kNot) return ParseRelational();
    Nest nest(*this);
    if (nest.TooDeep()) return Fail(Peek().pos, "Expression too deeply nested");
    const size_t pos = Take().pos;
    return Unary(Op::kNot, pos, ParseNot());
  }

  static bool RelationalOp(Tok t, Op& op) {
    switch (t) {
      case Tok::kEq:
        op = Op::kEq;
        return true;
      case Tok::kExactEq:
        op = Op::kExactEq;
        return true;
      case Tok::kNe:
        op = Op::kNe;
        return true;
      case Tok::kLt:
        op = Op::kLt;
        return true;
      case Tok::kLe:
        op = Op::kLe;
        return true;
      case Tok::kGt:
        op = Op::kGt;
        return true;
      case Tok::kGe:
        op = Op::kGe;
        return true;
      case Tok::kDollar:
        op = Op::kContains;
        return true;
      default:
        return false;
    }
  }

  int ParseRelational() {
    int left = ParseAdditive();
    Op op;
    while (left >= 0 && RelationalOp(Peek().kind, op)) {
      const size_t pos = Take().pos;
      left = Binary(op, pos, left, ParseAdditive());
    }
    return left;
  }

  int ParseAdditive() {
    int left = ParseMultiplicative();
    while (left >= 0 && (Peek().kind == Tok::kPlus || Peek().kind == Tok::kMinus)) {
      const Token& t = Take();
      left = Binary(t.kind == Tok::kPlus ? Op::kAdd : Op::kSub, t.pos, left, ParseMultiplicative());
    }
    return left;
  }

  int ParseMultiplicative() {
    int left = ParseUnary();
    while (left >= 0 && (Peek().kind == Tok::kStar || Peek().kind == Tok::kSlash)) {
      const Token& t = Take();
      left = Binary(t.kind == Tok::kStar ? Op::kMul : Op::kDiv, t.pos, left, ParseUnary());
    }
    return left;
  }

  int ParseUnary() {
    if (Peek().kind != Tok::kMinus && Peek().kind != Tok::kPlus) return ParsePrimary();
    Nest nest(*this);
    if (nest.TooDeep()) return Fail(Peek().pos, "Expression too deeply nested");
    const Token& t = Take();
    return Unary(t.kind == Tok::kMinus ? Op::kNeg : Op::kPlusSign, t.pos, ParseUnary());
  }

  int Literal(size_t pos, Value v) {
    Node n;
    n.op = Op::kLiteral;
    n.pos = pos;
    n.literal = std::move(v);
    return Add(std::move(n));
  }

  int ParsePrimary() {
    const Token& t = Take();
    switch (t.kind) {
      case Tok::kNumber:
        return Literal(t.pos, Value(t.number));
      case Tok::kString:
        return Literal(t.pos, Value(t.text));
      case Tok::kTrue:
        return Literal(t.pos, Value(true));
      case Tok::kFalse:
        return Literal(t.pos, Value(false));
      case Tok::kName:
        return ParseName(t);
      case Tok::kLParen: {
        const int inner = ParseOr();
        if (inner < 0) return -1;
        if (!Accept(Tok::kRParen)) return Fail(Peek().pos, "Missing right parenthesis");
        return inner;
      }
      case Tok::kEnd:
        return Fail(t.pos, "Incomplete expression");
      default:
        return Fail(t.pos, "Syntax error");
    }
  }

  int ParseName(const Token& t) {
    if (Peek().kind == Tok::kLParen) return ParseCall(t);
    Node n;
    n.op = Op::kName;
    n.pos = t.pos;
    n.name = AsciiUpper(t.text);
    if (Accept(Tok::kArrow)) {
      const Token& field = Take();
      if (field.kind != Tok::kName) return Fail(field.pos, "Name expected after ->");
      n.alias = n.name;
      n.name = AsciiUpper(field.text);
      n.scope = (n.alias == "M" || n.alias == "MEMVAR") ? Scope::kVariable : Scope::kField;
    }
    return Add(std::move(n));
  }

  int ParseCall(const Token& t) {
    Take();  // (
    Node n;
    n.op = Op::kCall;
    n.pos = t.pos;
    n.name = AsciiUpper(t.text);
    if (!Accept(Tok::kRParen)) {
      while (true) {
        if (n.args.size() >= kMaxArgs) return Fail(Peek().pos, "Too many arguments");
        const int arg = ParseOr();
        if (arg < 0) return -1;
        n.args.push_back(arg);
        if (Accept(Tok::kComma)) continue;
        if (Accept(Tok::kRParen)) break;
        return Fail(Peek().pos, "Missing right parenthesis");
      }
    }
    if (n.name == "IIF" || n.name == "IF") {
      if (n.args.size() != 3) return Fail(t.pos, "IIF needs three arguments");
      n.op = Op::kIif;
      n.a = n.args[0];
      n.b = n.args[1];
      n.c = n.args[2];
      n.args.clear();
    } else {
      n.arg_values.resize(n.args.size());
    }
    return Add(std::move(n));
  }

  std::vector<Token> tokens_;
  Program& prog_;
  std::vector<int> depth_;
  size_t i_ = 0;
  int nesting_ = 0;
  size_t err_pos_ = 0;
  std::string err_;
};

}  // namespace

bool Parse(std::string_view text, Program& program, size_t& error_pos, std::string& message) {
  std::vector<Token> tokens;
  if (!Tokenize(text, tokens, error_pos, message)) return false;
  program.nodes.clear();
  return Parser(std::move(tokens), program).Run(error_pos, message);
}

}  // namespace zur::expr
