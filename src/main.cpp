// zur: the daily CCASS account-transfer tool.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include <fmt/core.h>
#include <CLI/CLI.hpp>

#include "app/commands/dbf_command.h"
#include "app/commands/upgrade_command.h"
#include "lib/console/mem2xbs.h"
#include "platform/vars/var_store.h"

namespace {

// "Press any key": waits for a line on a terminal; in a pipe or a script nothing waits.
void WaitForKeyOnTerminal() {
  if (!::isatty(STDIN_FILENO)) return;
  std::string line;
  std::getline(std::cin, line);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"zur - CCASS account-transfer tool"};
  app.require_subcommand(0, 1);

  std::string dbf_file;
  CLI::App* dbf = app.add_subcommand("dbf", "Show a table's structure and records (CSV)");
  dbf->add_option("FILE", dbf_file, "the table (.DBF)")->required();

  std::string upgrade_name;
  CLI::App* upgrade = app.add_subcommand(
      "upgrade", "Bring a table of the current directory to this version's structure");
  upgrade->add_option("NAME", upgrade_name, "the table name without .DBF")->required();

  // The converter reads its own words ("-q", "/q", IN.MEM, OUT.XBS).
  CLI::App* mem2xbs =
      app.add_subcommand("mem2xbs", "Convert a dBASE .MEM file: mem2xbs [-q] IN.MEM [OUT.XBS]");
  mem2xbs->prefix_command();

  CLI11_PARSE(app, argc, argv);

  if (dbf->parsed()) return zur::commands::DbfCommand({dbf_file}, std::cout, std::cerr);
  if (upgrade->parsed())
    return zur::commands::UpgradeCommand({upgrade_name}, std::cout, std::cerr,
                                         WaitForKeyOnTerminal);
  if (mem2xbs->parsed()) {
    zur::VarStore vars;
    return zur::Mem2XbsCommand(mem2xbs->remaining(), vars, std::cout, std::cerr,
                               WaitForKeyOnTerminal);
  }
  fmt::print("{}", app.help());
  return 0;
}
