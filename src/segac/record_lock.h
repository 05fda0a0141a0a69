#pragma once
// RECLOCK and RELELOCK: every change of the shared client master is made between the two.
// The record is read again from the file once its lock is held, so that what another user
// wrote meanwhile is what the change starts from.

#include "platform/dbf/table.h"
#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::segac {

inline constexpr std::string_view kRecordInUse = "Record is being used by another user !";
inline constexpr std::string_view kRetryPrompt = "Press \"R\" to re-try, other key to exit : ";

// Locks the current record. While another user holds it, row 22 says so with the bell and
// row 23 asks for "R" to try again (the default); any other answer or an exit key gives up.
// Rows 22 and 23 are cleared afterwards when the message was shown. Sets OK; true when held.
bool RecLock(term::Screen& screen, VarStore& vars, dbf::Table& table);

// Writes everything to disk, then releases every lock of the table (also when the write
// failed, whose error is then passed on).
void RelELock(dbf::Table& table);

}  // namespace zur::segac
