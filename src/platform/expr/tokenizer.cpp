// Splits an expression text into tokens.

#include <cctype>
#include <charconv>

#include "platform/expr/token.h"

namespace zur::expr {
namespace {

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

struct DotWord {
  std::string_view word;
  Tok kind;
};
constexpr DotWord kDotWords[] = {
    {"T", Tok::kTrue},  {"Y", Tok::kTrue}, {"F", Tok::kFalse}, {"N", Tok::kFalse},
    {"AND", Tok::kAnd}, {"OR", Tok::kOr},  {"NOT", Tok::kNot},
};

class Tokenizer {
 public:
  Tokenizer(std::string_view text, std::vector<Token>& out) : text_(text), out_(out) {}

  bool Run(size_t& error_pos, std::string& error_message) {
    while (true) {
      while (i_ < text_.size() && IsBlank(text_[i_])) ++i_;
      if (i_ >= text_.size()) break;
      if (!Next()) {
        error_pos = err_pos_;
        error_message = std::move(err_);
        return false;
      }
    }
    out_.push_back(Token{Tok::kEnd, text_.size(), {}, 0});
    return true;
  }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

  bool Fail(size_t pos, std::string message) {
    err_pos_ = pos;
    err_ = std::move(message);
    return false;
  }

  void Add(Tok kind, size_t len) {
    out_.push_back(Token{kind, i_, text_.substr(i_, len), 0});
    i_ += len;
  }

  bool Next() {
    const char c = text_[i_];
    const char d = i_ + 1 < text_.size() ? text_[i_ + 1] : '\0';
    if (IsDigit(c) || (c == '.' && IsDigit(d))) return Number();
    if (c == '.') return DotKeyword();
    if (IsNameStart(c)) {
      size_t j = i_ + 1;
      while (j < text_.size() && IsNameChar(text_[j])) ++j;
      Add(Tok::kName, j - i_);
      return true;
    }
    if (c == '"' || c == '\'' || c == '[') return String(c == '[' ? ']' : c);
    switch (c) {
      case '+':
        Add(Tok::kPlus, 1);
        return true;
      case '*':
        Add(Tok::kStar, 1);
        return true;
      case '/':
        Add(Tok::kSlash, 1);
        return true;
      case '$':
        Add(Tok::kDollar, 1);
        return true;
      case '(':
        Add(Tok::kLParen, 1);
        return true;
      case ')':
        Add(Tok::kRParen, 1);
        return true;
      case ',':
        Add(Tok::kComma, 1);
        return true;
      case '#':
        Add(Tok::kNe, 1);
        return true;
      case '-':
        if (d == '>')
          Add(Tok::kArrow, 2);
        else
          Add(Tok::kMinus, 1);
        return true;
      case '=':
        if (d == '=')
          Add(Tok::kExactEq, 2);
        else
          Add(Tok::kEq, 1);
        return true;
      case '!':
        if (d == '=')
          Add(Tok::kNe, 2);
        else
          Add(Tok::kNot, 1);
        return true;
      case '<':
        if (d == '>')
          Add(Tok::kNe, 2);
        else if (d == '=')
          Add(Tok::kLe, 2);
        else
          Add(Tok::kLt, 1);
        return true;
      case '>':
        if (d == '=')
          Add(Tok::kGe, 2);
        else
          Add(Tok::kGt, 1);
        return true;
      default:
        return Fail(i_, "Unexpected character");
    }
  }

  bool Number() {
    size_t j = i_;
    while (j < text_.size() && IsDigit(text_[j])) ++j;
    if (j + 1 < text_.size() && text_[j] == '.' && IsDigit(text_[j + 1])) {
      ++j;
      while (j < text_.size() && IsDigit(text_[j])) ++j;
    } else if (j < text_.size() && text_[j] == '.' &&
               !(j + 1 < text_.size() && IsNameStart(text_[j + 1]))) {
      ++j;  // "12." is the number 12; "1.AND." leaves the operator alone
    }
    double value = 0;
    const char* first = text_.data() + i_;
    auto [ptr, ec] = std::from_chars(first, text_.data() + j, value);
    if (ec != std::errc() || ptr == first) return Fail(i_, "Number out of range");
    out_.push_back(Token{Tok::kNumber, i_, text_.substr(i_, j - i_), value});
    i_ = j;
    return true;
  }

  bool DotKeyword() {
    size_t j = i_ + 1;
    while (j < text_.size() && std::isalpha(static_cast<unsigned char>(text_[j]))) ++j;
    if (j < text_.size() && text_[j] == '.' && j > i_ + 1) {
      const std::string_view word = text_.substr(i_ + 1, j - i_ - 1);
      for (const DotWord& w : kDotWords) {
        if (EqualsNoCase(word, w.word)) {
          Add(w.kind, j + 1 - i_);
          return true;
        }
      }
    }
    return Fail(i_, "Unknown operator");
  }

  bool String(char close) {
    const size_t end = text_.find(close, i_ + 1);
    if (end == std::string_view::npos) return Fail(i_, "Unterminated string");
    out_.push_back(Token{Tok::kString, i_, text_.substr(i_ + 1, end - i_ - 1), 0});
    i_ = end + 1;
    return true;
  }

  std::string_view text_;
  std::vector<Token>& out_;
  size_t i_ = 0;
  size_t err_pos_ = 0;
  std::string err_;
};

}  // namespace

bool Tokenize(std::string_view text, std::vector<Token>& out, size_t& error_pos,
              std::string& error_message) {
  out.clear();
  return Tokenizer(text, out).Run(error_pos, error_message);
}

std::string AsciiUpper(std::string_view s) {
  std::string r(s);
  for (char& c : r) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return r;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace zur::expr
