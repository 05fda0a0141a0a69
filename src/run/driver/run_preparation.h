#pragma once
// The run preparation between the input checks and the reading of the reports: the screen's
// inputs written back into the settings record, the back office's settings loaded, the run's
// options, the version bytes of the back-office tables, the dates of the back-office system
// file, the layout switches, and the upload files made with their headers.
//
// Before the call: the settings table open as SYS on its record, the screen's inputs and the
// files named (NameRunFiles) and checked. A failure has been shown when run::RunStopped is
// thrown; no upload file is then left under the upload names.

#include <filesystem>
#include <memory>

#include "platform/dbf/work_areas.h"
#include "platform/vars/var_store.h"
#include "run/driver/run_files.h"
#include "run/operator/operator.h"
#include "run/upload/upload_writer.h"

namespace zur::driver {

// `files` loses the finance directory when SBF3_USER switches it off. First of all, a publish
// of upload files that a killed run left half done is undone (a WARNING line says so); the
// upload names are checked again as the settings record holds them, and temporary upload files
// of runs that no longer exist are removed. `upload_steps` goes to the upload writer (tests).
std::unique_ptr<upload::UploadWriter> PrepareRun(RunFiles& files,
                                                 const std::filesystem::path& data_dir,
                                                 VarStore& vars, dbf::WorkAreas& areas,
                                                 run::Operator& op,
                                                 const upload::StepHook& upload_steps = {});

// The upload files' settings from the memory variables of the prepared run.
upload::UploadSettings UploadSettingsFromVars(const VarStore& vars,
                                              const std::filesystem::path& data_dir);

}  // namespace zur::driver
