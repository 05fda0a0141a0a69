#pragma once
// The back office's client master (CLMAST.DBF) as the maintenance uses it: opened shared
// under the alias CL, its segregated account field LSEGAC (C 8) added first when it lacks it,
// and its three index orders built afresh on every opening, so that no stale index of the
// shared table is used.

#include <filesystem>
#include <functional>
#include <string>

#include "app/upgrade/upgrade_console.h"
#include "platform/dbf/table.h"
#include "platform/dbf/work_areas.h"

namespace zur::segac {

inline constexpr std::string_view kClientAlias = "CL";
inline constexpr std::string_view kCannotOpen =
    "ERROR: Cannot Open Client Master, please re-try later !";

// The fields the maintenance reads and writes (indexes into the table's fields).
struct ClientFields {
  int acct = -1;   // LACCT
  int name = -1;   // LNAME
  int name2 = -1;  // LNAME2
  int segac = -1;  // LSEGAC
};

struct ClientMasterOpen {
  dbf::Table* table = nullptr;  // open in a new work area; null when it could not be opened
  ClientFields fields;
  std::string message;  // why not; empty when the upgrade has shown and awaited its message
};

// Opens `file` shared in the lowest free work area as CL. A table without LSEGAC of at least
// 8 characters is closed, upgraded (which needs it exclusively: while another process has it
// open it is not touched and the message says so) and opened again. A table without the
// character fields LACCT, LNAME and LNAME2 is refused.
ClientMasterOpen OpenClientMaster(dbf::WorkAreas& areas, const std::filesystem::path& file,
                                  upgrade::UpgradeConsole& console);

// The orders 1 "CLMAST" on LACCT, 2 "CLSEGAC" on LSEGAC+LACCT and 3 "CLNAME" on UPPER(LNAME),
// built in that order; order 1 is active afterwards. `percent` hears of the progress of each.
void BuildClientOrders(dbf::Table& clients, const std::function<void(int percent)>& percent = {});

}  // namespace zur::segac
