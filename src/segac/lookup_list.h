#pragma once
// ATSCAN: the lookup list of the client master, a page of clients at a time from the key
// given, to choose one from by its letter.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/dbf/table.h"
#include "platform/term/screen.h"
#include "platform/vars/var_store.h"
#include "segac/client_master.h"

namespace zur::segac {

// The order a list runs in, which also says what the chosen client's key is.
enum class ScanType {
  kAccount,     // "CL1": LACCT
  kSegregated,  // "CL2": LSEGAC
  kName,        // "CL3": LNAME
};

struct LookupEntry {
  uint32_t recno = 0;
  std::string text;  // " 1. " + LACCT + " " + LNAME + 6 blanks + LSEGAC + " "
};

inline constexpr int kPageEntries = 17;
inline constexpr std::string_view kEntryLetters = "123456789ABCDEFGHIJK";

// The entries of one page from the current record on, deleted records passed over: the table
// stays on the 17th, or goes to end of file when the page is shorter.
std::vector<LookupEntry> ReadLookupPage(dbf::Table& clients, const ClientFields& fields);

// The list, starting at the nearest match of `key` in the active order; Next is lit first.
// The chosen client's key (LACCT, LSEGAC or LNAME by `type`) with the table on it, or nothing
// after Quit or Esc with the table back where the list started.
std::optional<std::string> AtScan(term::Screen& screen, VarStore& vars, dbf::Table& clients,
                                  const ClientFields& fields, std::string_view key, ScanType type);

}  // namespace zur::segac
