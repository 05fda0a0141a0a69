#pragma once
// The options of a whole run in the benchmarks: a broker installation in `dir`, on the day of
// the large broker's report, in-process (the current directory stays).

#include <filesystem>

#include "run/driver/check_command.h"

namespace zur::driver::bench {

inline CheckCommandOptions BenchCheckOptions(const std::filesystem::path& dir, bool pdf) {
  CheckCommandOptions options;
  options.working_dir = dir;
  options.exe_path = (dir / "zur").string();
  options.change_directory = false;
  options.today = *Date::FromYmd(2026, 12, 8);
  options.screen.gen_date = options.today;
  options.pdf = pdf;
  return options;
}

}  // namespace zur::driver::bench
