#pragma once
// What the two checking reports print: the holdings records in index order (stock, then
// account) and the texts of the page heading, all made before printing starts so that the
// reports themselves only lay out text.

#include <string>
#include <vector>

#include "run/determine/transfer_rules.h"

namespace zur::reports {

// One ATIMAST record as the reports read it.
struct ReportRecord {
  std::string stock_no;  // ASTKNO as stored
  std::string stock;     // ASTK as stored
  std::string account;   // AATI
  std::string from;      // AFROM
  std::string to;        // ATO
  determine::Holding holding;
  double short_settled = 0;    // ASSTLQTY
  double short_unsettled = 0;  // ASUSTLQTY
  double transfer_qty = 0;     // AATIQTY
  double due_bought = 0;       // AATIQTY1
};

struct ReportContext {
  std::string co_name;       // CO_NAME, plain text
  std::string system;        // SYSTEM: the application title with its version
  std::string system_key;    // SYSTEM_KEY
  std::string site;          // USER_KEY
  bool compress = false;     // COMPRESS "Y": 80-column paper
  bool ati_only = false;     // ATI_ONLY "Y": only stocks that need a transfer
  bool skip_unstl = false;   // no settlement report was read
  bool eight_digit = false;  // the 8-character account format is in force
  // Dates: "dmyy" as DMYY prints them, "text" as the current date text.
  std::string tran_date_dmyy, setl_date_dmyy, gen_date_dmyy;
  std::string tran_date_text, ntran_date_text, setl_date_text, gen_date_text;
  std::string today_text;
  std::string cas_date, cas_time;     // CAS_DATE, CAS_TIME of the CCASS stock report
  bool tran_date_matches_cas = true;  // TRAN_DATE equals the CCASS stock report date
  std::string time_of_day;            // hh:mm:ss printed in the heading
};

}  // namespace zur::reports
