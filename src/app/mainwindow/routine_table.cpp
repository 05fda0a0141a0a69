#include "app/mainwindow/routine_table.h"

#include "lib/text/trim_pad.h"

namespace zur::mainwindow {

void RoutineTable::Register(std::string_view name, Routine routine) {
  routines_[text::Upper(name)] = std::move(routine);
}

bool RoutineTable::Call(std::string_view name, const std::optional<std::string>& argument) const {
  const auto it = routines_.find(text::Upper(name));
  if (it == routines_.end()) return fallback_ && fallback_(name, argument);
  it->second(argument);
  return true;
}

}  // namespace zur::mainwindow
