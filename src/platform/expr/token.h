#pragma once
// The tokens of an expression text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zur::expr {

enum class Tok {
  kEnd,
  kNumber,
  kString,
  kName,
  kTrue,
  kFalse,
  kAnd,
  kOr,
  kNot,  // .NOT. and !
  kPlus,
  kMinus,
  kStar,
  kSlash,
  kEq,       // =
  kExactEq,  // ==
  kNe,       // <> != #
  kLt,
  kLe,
  kGt,
  kGe,
  kDollar,
  kLParen,
  kRParen,
  kComma,
  kArrow,  // ->
};

struct Token {
  Tok kind = Tok::kEnd;
  size_t pos = 0;         // byte offset in the text
  std::string_view text;  // names: as written; strings: the contents without delimiters
  double number = 0;
};

// Splits `text` into tokens ending with kEnd. On a lexical fault returns false with the
// offending position and a message.
bool Tokenize(std::string_view text, std::vector<Token>& out, size_t& error_pos,
              std::string& error_message);

// Upper-cases ASCII letters only.
std::string AsciiUpper(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace zur::expr
