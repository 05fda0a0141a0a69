#include "lib/compat/compat_functions.h"

#include "lib/compat/directories.h"
#include "lib/compat/fixed_routines.h"
#include "lib/compat/list_split.h"
#include "lib/compat/named_flags.h"
#include "lib/compat/routine_args.h"
#include "lib/compat/shell.h"
#include "lib/compat/unique_file.h"
#include "lib/compat/user_name.h"
#include "platform/dbf/work_areas.h"

namespace zur::compat {
namespace {

using Args = std::span<Value>;

// A flag routine: works on the store with the flag name.
template <typename F>
expr::Function OnFlag(std::string_view name, VarStore& bound, F f) {
  return [name, &bound, f](Args args, expr::Context& ctx, std::string& error) -> Value {
    RoutineArgs a(name, args, error);
    std::string_view flag;
    if (!a.Text(0, flag)) return Value();
    return f(StoreOf(ctx, bound), flag);
  };
}

Value TextArray(std::vector<std::string> pieces) {
  Array out;
  out.reserve(pieces.size());
  for (std::string& p : pieces) out.emplace_back(std::move(p));
  return Value::NewArray(std::move(out));
}

expr::Function ShellRoutine(std::string_view name, VarStore& bound) {
  return [name, &bound](Args args, expr::Context& ctx, std::string& error) -> Value {
    RoutineArgs a(name, args, error);
    std::string_view command;
    if (!a.OptText(0, command, "")) return Value();
    return Value(SwpRunCmd(StoreOf(ctx, bound), command));
  };
}

expr::Function EncodeRoutine(std::string_view name) {
  return [name](Args args, expr::Context&, std::string& error) -> Value {
    RoutineArgs a(name, args, error);
    std::string_view source, target;
    if (!a.Text(0, source) || !a.Text(1, target)) return Value();
    std::string why;
    if (!EncodeFile(std::string(source), std::string(target), why)) {
      error = std::string(name) + ": " + why;
      return Value();
    }
    return Value(true);
  };
}

// N_MLOCK: the records listed ("5, 7") locked in the table of the current work area, all or
// none. Without a table there is nothing to lock.
Value MultiLock(Args args, expr::Context& ctx, std::string& error) {
  RoutineArgs a("N_MLOCK", args, error);
  std::string_view list;
  if (!a.Text(0, list)) return Value();
  auto* areas = dynamic_cast<dbf::WorkAreas*>(ctx.fields);
  dbf::Table* table = areas != nullptr ? areas->Current() : nullptr;
  if (table == nullptr) return Value(false);
  try {
    return Value(table->LockList(list));
  } catch (const dbf::Error& e) {
    error = std::string("N_MLOCK: ") + e.what();
    return Value();
  }
}

}  // namespace

void RegisterCompatFunctions(expr::FunctionTable& table, VarStore& vars) {
  table.Register("ISFLAGSET", OnFlag("ISFLAGSET", vars, [](VarStore& v, std::string_view f) {
                   return Value(IsFlagSet(v, f));
                 }));
  table.Register("SETFLAG", OnFlag("SETFLAG", vars, [](VarStore& v, std::string_view f) {
                   SetFlag(v, f);
                   return Value();
                 }));
  table.Register("CLEARFLAG", OnFlag("CLEARFLAG", vars, [](VarStore& v, std::string_view f) {
                   ClearFlag(v, f);
                   return Value();
                 }));

  table.Register("O_CURPATH", [](Args, expr::Context&, std::string&) { return Value(CurPath()); });
  table.Register("O_CD", TextRoutine("O_CD", ChangeDir));
  table.Register("O_MD", TextRoutine("O_MD", MakeDir));
  table.Register("O_DIREXIST", TextRoutine("O_DIREXIST", DirExists));
  table.Register("O_GETTEMP", TextRoutine("O_GETTEMP", GetTemp));
  table.Register("N_FEXT", TextRoutine("N_FEXT", FileExt));
  table.Register("N_FUNIQUE", [](Args args, expr::Context&, std::string& error) -> Value {
    RoutineArgs a("N_FUNIQUE", args, error);
    std::string_view dir, ext;
    if (!a.Text(0, dir) || !a.OptText(1, ext, "")) return Value();
    return Value(FUnique(dir, ext));
  });
  table.Register("LISTASARRAY", [](Args args, expr::Context&, std::string& error) -> Value {
    RoutineArgs a("LISTASARRAY", args, error);
    std::string_view list, delim;
    if (!a.Text(0, list) || !a.OptText(1, delim, ",")) return Value();
    return TextArray(ListAsArray(list, delim));
  });
  table.Register("N_WHOAMI", [](Args, expr::Context&, std::string&) { return Value(WhoAmI()); });
  table.Register("SWPRUNCMD", ShellRoutine("SWPRUNCMD", vars));
  table.Register("OVERLAY", ShellRoutine("OVERLAY", vars));
  table.Register("O_ERRMAJOR",
                 [](Args, expr::Context&, std::string&) { return Value(ErrMajor()); });
  table.Register("N_MLOCK", MultiLock);
  table.Register("N_ENCODE", EncodeRoutine("N_ENCODE"));
  table.Register("N_DECODE", EncodeRoutine("N_DECODE"));

  for (std::string_view name : FixedRoutineNames()) {
    table.Register(name, [name](Args args, expr::Context&, std::string&) {
      Value out;
      FixedRoutine(name, args, out);
      return out;
    });
  }
}

}  // namespace zur::compat
