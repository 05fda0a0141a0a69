#pragma once
// The program's routines that a menu-bar entry may name ("AppQuit", "SeleWinPrinter PDF"):
// looked up by name, case-insensitively, never through a shell.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zur::mainwindow {

class RoutineTable {
 public:
  using Routine = std::function<void(const std::optional<std::string>& argument)>;
  // Runs a routine the table does not hold; false when there is none of that name either.
  using Fallback =
      std::function<bool(std::string_view name, const std::optional<std::string>& argument)>;
  void Register(std::string_view name, Routine routine);
  void SetFallback(Fallback fallback) { fallback_ = std::move(fallback); }
  // Runs the routine named; false when there is none of that name.
  bool Call(std::string_view name, const std::optional<std::string>& argument) const;

 private:
  std::map<std::string, Routine> routines_;
  Fallback fallback_;
};

}  // namespace zur::mainwindow
