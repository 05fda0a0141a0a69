#include "lib/format/upload_field.h"

#include <algorithm>

#include "lib/text/numeric_text.h"
#include "lib/text/trim_pad.h"

namespace zur::format {

TextFieldCharset TextFieldCharset::FromVars(const VarStore& vars) {
  TextFieldCharset c;
  const Value* ccass3 = vars.Find("IS_CCASS3");
  c.restricted = ccass3 != nullptr && ccass3->IsTrue();
  const Value* allowed = vars.Find("CAS3_CHAR");
  if (allowed != nullptr && allowed->IsChar()) c.allowed = allowed->str();
  return c;
}

void AppendTextField(std::string& line, std::string_view value, int end_column,
                     const TextFieldCharset& charset) {
  size_t start = line.size();
  line.append(value);
  if (charset.restricted) {
    size_t end = start + text::RTrim(value).size();
    for (size_t i = start; i < end; ++i)
      if (charset.allowed.find(line[i]) == std::string::npos) line[i] = ' ';
  }
  line.resize(static_cast<size_t>(std::max(end_column, 0)), ' ');
}

void AppendNumberField(std::string& line, double value, int width) {
  if (width <= 0) return;
  size_t w = static_cast<size_t>(width);
  std::string digits = text::WholeNumberText(value);
  bool negative = !digits.empty() && digits.front() == '-';
  if (negative) digits.erase(0, 1);
  size_t room = negative ? w - 1 : w;
  if (digits.size() > room) digits.erase(0, digits.size() - room);
  if (negative) line.push_back('-');
  line.append(room - digits.size(), '0');
  line.append(digits);
}

}  // namespace zur::format
