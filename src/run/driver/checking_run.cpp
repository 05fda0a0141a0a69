#include "run/driver/checking_run.h"

#include <memory>

#include "lib/format/account_code.h"
#include "lib/format/stock_number.h"
#include "lib/text/trim_pad.h"
#include "run/determine/determine_zur.h"
#include "run/driver/run_files.h"
#include "run/driver/run_options.h"
#include "run/driver/run_preparation.h"
#include "run/driver/run_tables.h"
#include "run/driver/stop.h"
#include "run/driver/upload_names.h"
#include "run/holdings/holdings_index.h"
#include "run/position/position_build.h"
#include "run/readers/ccass_reports.h"
#include "run/scanner/index_tables.h"
#include "run/scanner/page_scan.h"
#include "run/scanner/report_index.h"
#include "run/scanner/report_line_reader.h"

namespace zur::driver {
namespace fs = std::filesystem;

namespace {

std::unique_ptr<scanner::ReportLineReader> OpenReportFile(const RunFiles& files,
                                                          const fs::path& data_dir,
                                                          dbf::WorkAreas& areas,
                                                          run::Operator& op) {
  scanner::OpenError error;
  auto reader = scanner::ReportLineReader::Open(OnDisk(data_dir, files.stk_fname).string(), &error);
  if (!reader) {
    op.MessageBox(error.title, error.message);
    areas.CloseAll();
    throw run::RunStopped(error.message);
  }
  return reader;
}

scanner::PageScan ScanReportFile(scanner::ReportLineReader& reader, dbf::WorkAreas& areas,
                                 VarStore& vars, run::Operator& op) {
  op.ProgressLine("Scanning Report Text File ...");
  scanner::PageScan scan = scanner::ScanPages(reader);
  if (!scan.ok()) Stop(op, scan.error);  // "ERROR: CANNOT READ FILE ...": named once
  WithTableErrors(op, [&] {
    dbf::Table& info = *areas.Find("INFO");
    dbf::Table& optn = *areas.Find("OPTN");
    scanner::WritePageIndex(info, scan.pages);
    scanner::WriteReportIndex(optn, scanner::BuildReportIndex(scan.pages));
    info.Flush();
    optn.Flush();
  });
  // A report of another participant would move this participant's shares by someone else's
  // holdings: the operator is told before anything is read from it.
  const std::string settings_id(text::AllTrim(vars.Get("PART_ID").StrOr()));
  const std::string report_id(text::AllTrim(scan.header.part_id));
  if (!settings_id.empty() && !report_id.empty() && settings_id != report_id) {
    op.BlinkingWarning("WARNING: The CCASS report is of participant " + report_id +
                       ", the settings are of participant " + settings_id + " !");
  }
  vars.Set("PART_ID", scan.header.part_id);
  vars.Set("PART_NAME", scan.header.part_name);
  vars.Set("RIGHT_SHIFT", scan.header.right_shift);
  return scan;
}

void StoreCounters(const upload::UploadWriter& writer, VarStore& vars) {
  const upload::UploadTotals& z = writer.zur_totals();
  const upload::UploadTotals& s = writer.sti_totals();
  vars.Set("STK_CKSUM", static_cast<double>(z.stock_sum));
  vars.Set("QTY_CKSUM", static_cast<double>(z.quantity_sum));
  vars.Set("ALL_CKSUM", static_cast<double>(z.record_sum));
  vars.Set("ATI_CTR", static_cast<double>(z.lines));
  vars.Set("SSTK_CKSUM", static_cast<double>(s.stock_sum));
  vars.Set("SQTY_CKSUM", static_cast<double>(s.quantity_sum));
  vars.Set("SALL_CKSUM", static_cast<double>(s.record_sum));
  vars.Set("STI_CTR", static_cast<double>(s.lines));
}

void Run(RunFiles& files, const fs::path& data_dir, VarStore& vars, dbf::WorkAreas& areas,
         run::Operator& op, const reports::DeliveryOptions& delivery,
         const upload::StepHook& upload_steps, RunOutcome& outcome) {
  std::unique_ptr<upload::UploadWriter> writer =
      PrepareRun(files, data_dir, vars, areas, op, upload_steps);
  const upload::UploadSettings settings = UploadSettingsFromVars(vars, data_dir);

  auto reader = OpenReportFile(files, data_dir, areas, op);
  op.ProgressLine("Opening data files ...");
  MapStockCodes(files, data_dir, areas, vars, op);
  OpenRunTables(files, data_dir, areas, vars, op);
  // ATIMAST's index on stock and account, kept beside the table by every step that follows.
  std::unique_ptr<holdings::HoldingsIndex> index;
  WithTableErrors(op, [&] {
    index = std::make_unique<holdings::HoldingsIndex>(*areas.Find("ZUR"),
                                                      format::StockNumberRules::FromVars(vars));
  });
  const scanner::PageScan scan = ScanReportFile(*reader, areas, vars, op);

  WithTableErrors(op, [&] {
    readers::ReadCcassReports({*reader, scan.pages}, areas, vars, op, index.get());
    position::PositionInputs in = position::PositionInputs::FromVars(vars);
    in.mapping_alerts = vars.Get("MAP_ALERTS").IsTrue();
    position::BuildPositions(areas, in, op, index.get());
    determine::DetermineZur(*index, *writer, determine::DetermineInputs::FromVars(vars), op);
  });
  StoreCounters(*writer, vars);
  // The upload files stand complete under their names before anything is printed.
  WithTableErrors(op, [&] {
    outcome.reports_printed = reports::DeliverCheckingReports(
        *areas.Find("ZUR"), vars, op, delivery, &outcome.reports_written, index.get());
  });
  index.reset();
  areas.CloseAll();

  outcome.end = RunEnd::kGenerated;
  outcome.zur_file = settings.zur_path;
  const std::string ati_text(vars.Get("ATI_TEXT").StrOr());
  op.Announce("CCASS ZUR Upload File " + ati_text + " is generated !");
  if (format::Ccass0705(vars)) {
    outcome.sti_file = settings.sti_path;
    op.Announce("CCASS STI Upload File " + std::string(vars.Get("STI_TEXT").StrOr()) +
                " is generated !");
  }
}

// The upload file a name variable of the start screen gives ("" when blank).
fs::path UploadNameOnDisk(const fs::path& data_dir, const VarStore& vars, std::string_view name) {
  const std::string text(text::AllTrim(vars.Get(name).StrOr()));
  if (text.empty()) return {};
  const fs::path path(text);
  return path.is_relative() ? data_dir / path : path;
}

}  // namespace

RunOutcome RunChecking(const fs::path& data_dir, VarStore& vars, dbf::WorkAreas& areas,
                       run::Operator& op, reports::DeliveryOptions reports,
                       const upload::StepHook& upload_steps) {
  if (reports.working_dir.empty()) reports.working_dir = data_dir;
  RunOutcome outcome;
  RunFiles files = NameRunFiles(vars);
  StoreRunFiles(files, vars);
  if (auto failed = CheckInputFiles(files, data_dir, !files.sl_fname.empty())) {
    op.MessageBox("ZUR", failed->message);
    outcome.end = failed->ends_program ? RunEnd::kStopped : RunEnd::kBackToMenu;
    outcome.message = failed->message;
    return outcome;
  }
  // An upload name that is another file of the run would destroy it: refused before anything
  // is written or removed.
  if (auto refused = CheckUploadNames(UploadNameOnDisk(data_dir, vars, "ATI_TEXT"),
                                      UploadNameOnDisk(data_dir, vars, "STI_TEXT"),
                                      FilesTheRunKeeps(files, data_dir))) {
    op.MessageBox("ZUR", *refused);
    outcome.end = RunEnd::kBackToMenu;
    outcome.message = *refused;
    return outcome;
  }
  try {
    Run(files, data_dir, vars, areas, op, reports, upload_steps, outcome);
  } catch (const run::RunStopped& stop) {
    areas.CloseAll();
    outcome.end = RunEnd::kStopped;
    outcome.message = stop.what();
  } catch (const std::exception& e) {
    // A failure no step expects (memory, the file system): shown, and the run ends.
    outcome.message = std::string("ERROR: ") + e.what();
    op.MessageBox("ZUR", outcome.message);
    areas.CloseAll();
    outcome.end = RunEnd::kStopped;
  }
  return outcome;
}

}  // namespace zur::driver
