#include "segac/filter_text.h"

#include "lib/text/trim_pad.h"
#include "platform/expr/text_case.h"

namespace zur::segac {
namespace {

void Join(std::string& filter, std::string_view condition) {
  if (!filter.empty()) filter += " .AND. ";
  filter += condition;
}

}  // namespace

std::string TextLiteral(std::string_view value) {
  // The second byte of a Big5 character is never a double quote (0x22), so splitting at the
  // quotes keeps every character whole.
  std::string out;
  size_t pieces = 0;
  size_t start = 0;
  for (;;) {
    const size_t quote = value.find('"', start);
    const std::string_view piece = value.substr(start, quote - start);
    if (!piece.empty() || (quote == std::string_view::npos && pieces == 0)) {
      out += (pieces++ > 0 ? "+\"" : "\"") + std::string(piece) + "\"";
    }
    if (quote == std::string_view::npos) break;
    out += pieces++ > 0 ? "+'\"'" : "'\"'";
    start = quote + 1;
  }
  return pieces > 1 ? "(" + out + ")" : out;
}

void CatFiltC(std::string& filter, std::string_view field, std::string_view value) {
  const std::string_view typed = text::RTrim(value);
  if (typed.empty()) return;
  Join(filter, std::string(field) + "=" + TextLiteral(typed));
}

void CatNameFilter(std::string& filter, std::string_view name) {
  const std::string_view typed = text::RTrim(name);
  if (typed.empty()) return;
  std::string upper;
  expr::AppendUpper(typed, upper);
  const std::string big = TextLiteral(upper);
  const std::string as_typed = TextLiteral(typed);
  Join(filter, "(" + big + "$UPPER(LNAME) .OR. " + big + "$UPPER(LNAME2) .OR. " + as_typed +
                   "$LNAME .OR. " + as_typed + "$LNAME2)");
}

}  // namespace zur::segac
