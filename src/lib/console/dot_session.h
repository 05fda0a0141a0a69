#pragma once
// The commands of the developer console, one typed line at a time:
//   ? NAME                 shows the variable's value ("Variable does not exist !")
//   NAME = expression      evaluates the expression and assigns it (no command runs a shell)
//   SAVE TO file           saves the variables to a memory file
//   REST FROM file [ADDI]  restores them, replacing the current ones or added to them
//   RELE NAME, RELE ALL    releases the variable, or those made in this console
//   CLEA SCRE, CLEA MEMO, CLEA ALL   clears the screen; releases every variable; closes the
//                          tables too
//   EXIT, RETU[RN]         leaves the console; QUIT ends the program
// Command words match in any letter case and by their first four letters; texts, names of
// files and expressions are taken as typed (file names also in another letter case when only
// that one exists).

#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "platform/expr/expression.h"
#include "platform/vars/var_store.h"

namespace zur::console {

// Where the console's lines go.
class DotOutput {
 public:
  virtual ~DotOutput() = default;
  virtual void Line(std::string_view text) = 0;
  virtual void ClearScreen() = 0;
  virtual void WaitKey() = 0;
};

enum class DotAction { kContinue, kLeave, kQuit };

struct DotEnvironment {
  VarStore* vars = nullptr;
  expr::FieldSource* fields = nullptr;             // the open tables; may be null
  const expr::FunctionTable* functions = nullptr;  // the program's routines; may be null
  std::function<void()> close_tables;              // CLEA ALL
};

class DotSession {
 public:
  DotSession(const DotEnvironment& environment, DotOutput& output);

  DotAction Execute(std::string_view command);

 private:
  void Show(std::string_view name);
  void Assign(std::string_view name, std::string_view expression);
  void Save(std::string_view file);
  void Restore(std::string_view file, bool additive);
  void Release(std::string_view word);
  void Clear(std::string_view word);

  DotEnvironment env_;
  DotOutput& out_;
  expr::FunctionTable functions_;
  std::set<std::string> made_;  // upper-case names of the variables made here
};

}  // namespace zur::console
