// zur: the daily CCASS account-transfer tool.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <fmt/core.h>
#include <CLI/CLI.hpp>

#include "app/commands/dbf_command.h"
#include "app/commands/init_command.h"
#include "app/commands/upgrade_command.h"
#include "app/mainwindow/interactive_program.h"
#include "lib/console/mem2xbs.h"
#include "platform/vars/var_store.h"
#include "run/driver/check_command.h"
#include "run/operator/operator.h"

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

  zur::commands::InitOptions init_options;
  CLI::App* init = app.add_subcommand(
      "init", "Make a new database directory: settings table, the program's tables, ZUR.XBS");
  init->add_option("DIR", init_options.dir, "the new database directory")->required();
  init->add_option("--participant", init_options.participant_id, "CCASS participant ID")
      ->required();
  init->add_option("--site", init_options.site, "site code (USERKEY)");
  init->add_option("--sender-bic", init_options.sender_bic, "CCASS/3 sender BIC");

  std::string upgrade_name;
  CLI::App* upgrade = app.add_subcommand(
      "upgrade", "Bring a table of the current directory to this version's structure");
  upgrade->add_option("NAME", upgrade_name, "the table name without .DBF")->required();

  // The converter reads its own words ("-q", "/q", IN.MEM, OUT.XBS).
  CLI::App* mem2xbs =
      app.add_subcommand("mem2xbs", "Convert a dBASE .MEM file: mem2xbs [-q] IN.MEM [OUT.XBS]");
  mem2xbs->prefix_command();

  // The checking run without screens; each option stands for a field of the start screen.
  zur::driver::CheckCommandOptions check_options;
  zur::driver::StartScreenInputs& screen = check_options.screen;
  std::string gen_date_text;
  CLI::App* check = app.add_subcommand(
      "check", "Run the checking in the current (database) directory and make the upload files");
  check->add_option("--report", screen.stk_file, "CCASS stock report file");
  check->add_option("--obx-dir", screen.sb_dir, "OBX (back-office) data directory");
  check->add_option("--finance-dir", screen.sbf_dir, "finance company's data directory");
  check->add_option("--client-dir", screen.cl_dir, "client master directory");
  check->add_option("--zur-file", screen.ati_text, "ZUR upload file name");
  check->add_option("--sti-file", screen.sti_text, "STI upload file name");
  check->add_option("--own-ref", screen.own_ref, "own reference");
  check->add_option("--gen-date", gen_date_text, "transmission date DD/MM/YYYY");
  check->add_option("--zur-file-no", screen.ati_fileno, "ZUR file number (0-9)")
      ->check(CLI::Range(0, 9));
  check->add_option("--sti-file-no", screen.sti_fileno, "STI file number (0-9)")
      ->check(CLI::Range(0, 9));
  check->add_flag("--pdf", check_options.pdf,
                  "print the reports to PDF files instead of a printer");
  check->add_option("--keep-reports", check_options.keep_reports,
                    "also keep a copy of each report text (SHORTAGE.TXT, STATUS.TXT) in DIR");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help says its text and succeeds; every wrong call is status 2, whatever it was.
    const int shown = app.exit(e);
    return shown == 0 ? 0 : 2;
  }

  if (check->parsed()) {
    if (!gen_date_text.empty()) {
      screen.gen_date = zur::driver::ParseDayMonthYear(gen_date_text);
      if (!screen.gen_date) {
        fmt::print(stderr, "ERROR: --gen-date {} is not a date DD/MM/YYYY\n", gen_date_text);
        return 2;
      }
    }
    check_options.exe_path = argv[0];
    // The run works in the database directory: a folder named here is taken from where the
    // command was given.
    if (!check_options.keep_reports.empty()) {
      std::error_code ec;
      const auto absolute = std::filesystem::absolute(check_options.keep_reports, ec);
      if (!ec) check_options.keep_reports = absolute;
    }
    // Reproducible reports and PDFs: the conventional fixed time of reproducible builds.
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
      char* end = nullptr;
      const long long secs = std::strtoll(epoch, &end, 10);
      if (end != epoch && *end == '\0' && secs >= 0)
        check_options.print_time =
            std::chrono::system_clock::from_time_t(static_cast<time_t>(secs));
    }
    zur::run::BatchOperator op;
    return zur::driver::CheckCommand(check_options, op);
  }

  if (init->parsed()) return zur::commands::InitCommand(init_options, std::cout, std::cerr);
  if (dbf->parsed()) return zur::commands::DbfCommand({dbf_file}, std::cout, std::cerr);
  if (upgrade->parsed())
    return zur::commands::UpgradeCommand({upgrade_name}, std::cout, std::cerr,
                                         WaitForKeyOnTerminal);
  if (mem2xbs->parsed()) {
    zur::VarStore vars;
    return zur::Mem2XbsCommand(mem2xbs->remaining(), vars, std::cout, std::cerr,
                               WaitForKeyOnTerminal);
  }
  // Without a subcommand: the program on screen, which needs a terminal.
  if (!::isatty(STDIN_FILENO) || !::isatty(STDOUT_FILENO)) {
    fmt::print(stderr,
               "zur: the program on screen needs a terminal for its standard input and output.\n"
               "Run zur in a terminal (at least 88 columns by 26 rows), or use `zur check` for "
               "the checking run without screens (zur --help lists the commands).\n");
    return 2;
  }
  try {
    return zur::mainwindow::RunInteractive({argv[0]});
  } catch (const std::exception& e) {
    fmt::print(stderr, "ERROR: {}\n", e.what());
    return 1;
  }
}
