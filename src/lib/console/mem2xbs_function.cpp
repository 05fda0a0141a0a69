#include "lib/console/mem2xbs_function.h"

#include <sstream>
#include <string>
#include <vector>

#include "lib/console/mem2xbs.h"
#include "lib/text/trim_pad.h"

namespace zur::console {
namespace {

constexpr size_t kMaxArguments = 3;

// Hands what was written so far to `line`, one line at a time.
void Flush(std::ostringstream& stream, const std::function<void(std::string_view)>& line) {
  std::istringstream in(stream.str());
  for (std::string text; std::getline(in, text);) line(text);
  stream.str("");
}

}  // namespace

expr::Function Mem2XbsFunction(std::function<void(std::string_view)> line,
                               std::function<void()> wait_key) {
  return [line, wait_key](std::span<Value> args, expr::Context&, std::string& error) -> Value {
    if (args.size() > kMaxArguments) {
      error = "MEM2XBS: at most 3 arguments";
      return Value();
    }
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
      if (args[i].IsNil()) continue;
      if (!args[i].IsChar()) {
        error = "MEM2XBS: argument " + std::to_string(i + 1) + " must be a text";
        return Value();
      }
      words.emplace_back(text::AllTrim(args[i].str()));
    }
    VarStore converted;
    std::ostringstream out;
    const auto flush = [&] { Flush(out, line); };
    Mem2XbsCommand(words, converted, out, out, [&] {
      flush();
      if (wait_key) wait_key();
    });
    flush();
    return Value();
  };
}

}  // namespace zur::console
