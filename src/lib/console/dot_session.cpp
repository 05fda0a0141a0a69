#include "lib/console/dot_session.h"

#include <cctype>
#include <vector>

#include "lib/console/mem2xbs_function.h"
#include "lib/console/value_text.h"
#include "lib/text/trim_pad.h"
#include "platform/dbf/file_util.h"
#include "platform/vars/memory_file.h"

namespace zur::console {
namespace {

constexpr std::string_view kOwnPrefix = "Dot*";

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

// A command word: its first four letters (all of it when shorter), in upper case.
bool WordIs(const std::vector<std::string>& words, size_t i, std::string_view keyword) {
  if (i >= words.size()) return false;
  const std::string word = text::Upper(words[i]);
  return word.size() >= 4 && word.substr(0, 4) == keyword.substr(0, 4);
}

bool IsName(std::string_view name) {
  if (name.empty() || !(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_'))
    return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

std::string FileOf(std::string_view typed) {
  return dbf::ResolveCaseInsensitive(std::string(text::AllTrim(typed))).string();
}

Value NoShell(std::span<Value>, expr::Context&, std::string& error) {
  error = "the developer console runs no shell";
  return Value();
}

}  // namespace

DotSession::DotSession(const DotEnvironment& environment, DotOutput& output)
    : env_(environment), out_(output) {
  if (env_.functions != nullptr) functions_ = *env_.functions;
  functions_.Register("SWPRUNCMD", NoShell);
  functions_.Register("OVERLAY", NoShell);
  functions_.Register("MEM2XBS", Mem2XbsFunction([this](std::string_view line) { out_.Line(line); },
                                                 [this] { out_.WaitKey(); }));
}

DotAction DotSession::Execute(std::string_view typed) {
  const std::string command(text::AllTrim(typed));
  const std::string upper = text::Upper(command);
  const std::vector<std::string> words = Words(command);
  if (upper == "QUIT") return DotAction::kQuit;
  if (upper == "EXIT" || upper.starts_with("RETU")) return DotAction::kLeave;
  if (upper.starts_with("? ")) {
    Show(text::AllTrim(std::string_view(command).substr(2)));
  } else if (const size_t eq = command.find('='); eq != std::string::npos) {
    Assign(text::AllTrim(std::string_view(command).substr(0, eq)),
           std::string_view(command).substr(eq + 1));
  } else if (upper.starts_with("SAVE TO ")) {
    Save(std::string_view(command).substr(8));
  } else if (WordIs(words, 0, "REST") && WordIs(words, 1, "FROM") && words.size() > 2) {
    Restore(words[2], words.size() > 3 && text::Upper(words[3]).starts_with("ADDI"));
  } else if (WordIs(words, 0, "RELEASE") && words.size() > 1) {
    Release(words[1]);
  } else if (WordIs(words, 0, "CLEAR") && words.size() > 1) {
    Clear(text::Upper(words[1]));
  } else {
    out_.Line("Unknown command !");
  }
  return DotAction::kContinue;
}

void DotSession::Show(std::string_view name) {
  const Value* value = env_.vars->Find(name);
  out_.Line(value != nullptr ? ValueText(*value) : "Variable does not exist !");
}

void DotSession::Assign(std::string_view name, std::string_view expression) {
  if (!IsName(name)) {
    out_.Line("Unknown command !");
    return;
  }
  expr::Context ctx;
  ctx.vars = env_.vars;
  ctx.fields = env_.fields;
  ctx.functions = &functions_;
  Value result;
  expr::Error error;
  if (!expr::EvaluateText(text::AllTrim(expression), ctx, result, error)) {
    out_.Line(error.What());
    return;
  }
  if (!env_.vars->Exists(name)) made_.insert(text::Upper(name));
  env_.vars->Set(name, std::move(result));
}

void DotSession::Save(std::string_view file) {
  const MemoryFileResult saved =
      SaveMemoryFile(FileOf(file), *env_.vars, VarSelection::Except(kOwnPrefix));
  if (!saved.ok()) out_.Line("ERROR: " + saved.error);
}

void DotSession::Restore(std::string_view file, bool additive) {
  const std::string path = FileOf(file);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    out_.Line("Cannot find file " + std::string(file));
    return;
  }
  const MemoryFileResult restored = RestoreMemoryFile(
      path, *env_.vars, additive ? RestoreMode::kAdditive : RestoreMode::kReplace);
  if (!restored.ok()) out_.Line("ERROR: " + restored.error);
}

void DotSession::Release(std::string_view word) {
  if (text::Upper(word) != "ALL") {
    env_.vars->Release(word);
    made_.erase(text::Upper(word));
    return;
  }
  for (const std::string& name : made_)
    if (!NameMatches(name, kOwnPrefix)) env_.vars->Release(name);
  made_.clear();
}

void DotSession::Clear(std::string_view word) {
  if (word.starts_with("SCRE")) {
    out_.ClearScreen();
    return;
  }
  if (word.starts_with("MEMO")) {
    env_.vars->ReleaseAll();
  } else if (word == "ALL") {
    if (env_.close_tables) env_.close_tables();
    env_.vars->ReleaseAll();
  } else {
    out_.Line("Unknown command !");
    return;
  }
  made_.clear();
}

}  // namespace zur::console
