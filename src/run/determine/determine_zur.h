#pragma once
// ZUR determination: the daily decision of how many shares move between the participant's
// main CCASS stock account "01" and each of its other accounts, so that every account holds
// what its clients' back-office positions need. Five passes over the holdings table, each in
// key order (stock number, then account):
//   1  an account holding more than its clients need gives the excess to "01";
//   2  accounts 21 and above get their shortfall from "01", as far as "01" has shares;
//   3  the other accounts likewise (accounts 17, 18, and "02" when kept, are left alone);
//   4  with due_bought_from_main: accounts 21 and above get their T+1 due bought from "01";
//   5  with due_bought_from_main: the other accounts likewise (never "02", 17 or 18).
// Passes 4 and 5 serve no account of a stock whose "01" record is short (ShortageOf), and no
// account that pass 1 emptied. Each decision is recorded in the account's record (AFROM, ATO,
// AATIQTY, and AATIQTY1 for the T+1 part), the transfers of passes 1 to 3 in ATFRQTY of "01",
// and written at once as one detail line of the upload files.
//
// Quantities are whole shares: each decided quantity is rounded half away from zero once, and
// that whole number goes into the holdings table, into ATFRQTY of "01" and into the upload
// line alike. A quantity that rounds to 0 is no transfer.

#include <array>
#include <cstdint>

#include "platform/dbf/table.h"
#include "run/determine/account_rules.h"
#include "run/determine/determine_inputs.h"
#include "run/holdings/holdings_index.h"
#include "run/operator/operator.h"
#include "run/upload/upload_writer.h"

namespace zur::determine {

struct DetermineResult {
  std::array<int64_t, kPassCount> transfers{};  // transfers decided by each pass
  int64_t zur_lines = 0;                        // detail lines written to the ZUR file
  int64_t sti_lines = 0;                        // and to the STI file
  int64_t main_records_added = 0;               // "01" records appended by pass 1
  int64_t records_without_account = 0;          // records with a blank or all-zero AATI
  bool due_bought_passes_run = false;           // passes 4 and 5 ran
};

// Shows "Determining ZUR ...", runs the passes and writes the trailers (writer.Finish()), so
// that the upload files stand complete under their names when it returns.
//
// Before the call: the holdings table ATIMAST open read-write (exclusive, or shared, when the
// records written are locked as they are changed), filled by the report readers and the
// position build, without a filter, walked and found through `index`, the run's holdings
// index on "STRVAL(ASTKNO)+AATI"; its decision fields (ATFRQTY, AFROM, ATO, AATIQTY,
// AATIQTY1) as the emptied table left them, since passes 4 and 5 add to them; `writer` open
// with its headers written, its 8-digit switch the same as the inputs' (std::logic_error
// otherwise, before anything is done).
// After the call: the decisions recorded in ATIMAST for the checking reports; the record
// pointer at EOF.
//
// A record whose account code is blank or all zeros names no CCASS account: no transfer is
// decided for it, and a blinking warning says so. Anything that stops the determination (an
// upload file that cannot be written, a stock number that is not a number, a quantity that
// does not fit its field, a table that cannot be read or written) is shown on the message line
// and run::RunStopped thrown; the writer then leaves no upload file behind once destroyed.
DetermineResult DetermineZur(holdings::HoldingsIndex& index, upload::UploadWriter& writer,
                             const DetermineInputs& inputs, run::Operator& op);

// The same over `table` with an index made here: the table must have an order on
// "STRVAL(ASTKNO)+AATI", made active (the stop otherwise says so); the stock numbers are keyed
// by the inputs' rules.
DetermineResult DetermineZur(dbf::Table& table, upload::UploadWriter& writer,
                             const DetermineInputs& inputs, run::Operator& op);

}  // namespace zur::determine
