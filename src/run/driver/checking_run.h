#pragma once
// The checking run from the start screen's inputs to the finished upload files: the input
// checks, the preparation, the opening of the tables and the report file, the page scan, the
// three report readers, the position build and the ZUR determination, the checking reports,
// then the closing lines.
//
// Before the call: the program's start-up done (SYS open on its record, the settings in their
// memory variables, the format functions and the variables as the work areas' environment)
// and the start screen's fields set (ApplyStartScreen). After it every table is closed;
// ATIMAST holds the run's holdings.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/dbf/work_areas.h"
#include "platform/vars/var_store.h"
#include "run/operator/operator.h"
#include "run/reports/report_delivery.h"
#include "run/upload/upload_writer.h"

namespace zur::driver {

enum class RunEnd {
  kGenerated,   // the upload files stand complete under their names
  kBackToMenu,  // an input check failed; nothing was written
  kStopped,     // the run was stopped after its message; the program ends
};

struct RunOutcome {
  RunEnd end = RunEnd::kStopped;
  std::string message;  // the message shown when the run did not generate its files
  std::filesystem::path zur_file;
  std::filesystem::path sti_file;  // empty without the STI upload
  bool reports_printed = false;    // false: a report is kept in the audit folder (warned about)
  bool reports_written = true;     // false: a report could not even be written (disk full)
  bool ok() const { return end == RunEnd::kGenerated; }
};

// `reports` says where the reports' files go; an empty working directory there is `data_dir`.
// `upload_steps` is called at each step of the upload writer (crash tests).
RunOutcome RunChecking(const std::filesystem::path& data_dir, VarStore& vars, dbf::WorkAreas& areas,
                       run::Operator& op, reports::DeliveryOptions reports = {},
                       const upload::StepHook& upload_steps = {});

}  // namespace zur::driver
