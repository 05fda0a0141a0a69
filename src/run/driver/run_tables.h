#pragma once
// Opening the back-office tables and the run's work tables in their work areas, and the
// rewriting of mainland stock codes into CCASS stock numbers for the China connect markets.
//
// Every failure here has been shown through the Operator when run::RunStopped is thrown.

#include <filesystem>

#include "platform/dbf/work_areas.h"
#include "platform/vars/var_store.h"
#include "run/driver/run_files.h"
#include "run/operator/operator.h"

namespace zur::driver {

inline constexpr const char* kMappingFile = "ASSTKMAP";

// With SAS_MKT: reads the mapping file of the back-office directory into STKCODE (rows of
// three texts) and, when the stock master's MSTKNO is wider than 5, rewrites every 6-character
// code of the stock master and of the portfolio master by its CCASS number. An unmapped code
// of the installation's own market raises an alert that can be switched off (the answer is
// left in MAP_ALERTS). A China connect installation without a mapping file stops the run.
void MapStockCodes(const RunFiles& files, const std::filesystem::path& data_dir,
                   dbf::WorkAreas& areas, VarStore& vars, run::Operator& op);

// Opens CL (upgraded first when LSEGAC is missing or short), the work tables INFO (RPINFO),
// OPTN (RPOPTN) and ZUR (ATIMAST) emptied, PF, SM (STKNO_LEN2), MU, SL (order SLNO) with a
// stock location account, PFF and MUF with a finance directory. CC_READY is switched off when
// MU has no MDELDATE date. The orders of ZUR, SM and MU are kept by the steps that read them.
void OpenRunTables(const RunFiles& files, const std::filesystem::path& data_dir,
                   dbf::WorkAreas& areas, VarStore& vars, run::Operator& op);

}  // namespace zur::driver
