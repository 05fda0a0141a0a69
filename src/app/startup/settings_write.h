#pragma once
// Writing the settings back into the record of SYS: after the system setup screen has been
// left with a save, and the checking run's inputs after its start screen.

#include <string>
#include <string_view>

#include "platform/dbf/work_areas.h"
#include "platform/vars/var_store.h"

namespace zur::startup {

inline constexpr std::string_view kDensityChangedTitle = "ZUR";
inline constexpr std::string_view kDensityChangedText =
    "Setting changed,  System will be down ! \r\nPlease RUN ZUR again !!! ";

struct SettingsWriteResult {
  std::string error;             // names the settings table; empty on success
  bool density_changed = false;  // the program must show kDensityChangedText and end
  bool ok() const { return error.empty(); }
};

// After the setup screen: blank exclusion flags become "Y" and blank option flags "N" (in the
// variables too), the setup screen's settings are written to the record, VIDEO_SET and the
// frames are recomputed, the optional accounts are written when their CHECK_ flags are set,
// and XPSCRDEN takes nXPSCRDEN. `density_before` is nXPSCRDEN as the screen opened with it.
// A variable that is not a text (not a number for the density) leaves its field as it is.
SettingsWriteResult WriteSettingsBack(VarStore& vars, dbf::WorkAreas& areas, double density_before,
                                      bool colour_display = true);

// The inputs of the checking run's start screen: directories, the stock report and the upload
// file names and the own reference.
SettingsWriteResult WriteRunInputsBack(const VarStore& vars, dbf::WorkAreas& areas);

// The directories of the back office (SB_DIR) and of its client master (CL_DIR), as the
// segregated account maintenance was given them.
SettingsWriteResult WriteBackOfficeDirsBack(const VarStore& vars, dbf::WorkAreas& areas);

}  // namespace zur::startup
