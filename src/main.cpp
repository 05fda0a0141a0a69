// zur: the daily CCASS account-transfer tool.
#include <CLI/CLI.hpp>
#include <fmt/core.h>

int main(int argc, char** argv) {
  CLI::App app{"zur - CCASS account-transfer tool"};
  app.require_subcommand(0, 1);
  CLI11_PARSE(app, argc, argv);
  if (app.get_subcommands().empty()) {
    fmt::print("{}", app.help());
  }
  return 0;
}
