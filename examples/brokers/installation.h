#pragma once
// A broker installation written from a short description: the database directory with the
// settings table and the saved variables, the back-office (OBX) directory with its tables and
// saved settings, an optional finance directory and the CCASS report text file. The sample
// broker and the end-to-end tests are made with it.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/dbf/table.h"
#include "platform/vars/date.h"
#include "platform/vars/value.h"

namespace zur::brokers {

// A record as (field, value) pairs; fields not named stay blank.
using Row = std::vector<std::pair<std::string, Value>>;

struct InstallationSpec {
  Row settings;                 // the settings record (ATISYSFL)
  Row saved_vars;               // ZUR.XBS
  Row backoffice_vars;          // SB.XBS of the back office
  Date trade_date;              // SBSYSFL: TR_DATE
  Date next_trade_date;         // NTR_DATE
  Date settle_date;             // ST_DATE
  int stkno_width = 5;          // width of MSTKNO, FSTKNO, MSTKNO of MGNUNSTL, LSTKNO
  std::vector<Row> stocks;      // SMMAST: MSTKNO, MSTK, MISIN, MMARKET, MCCSTOCK
  std::vector<Row> clients;     // CLMAST: LACCT, LNAME, LNAME2 (Big5), LSEGAC
  std::vector<Row> portfolio;   // PFMAST: FACCT, FSTKNO, FQTYBF, FQTYTT, FDAYQTY, FDAYBS ...
  std::vector<Row> unsettled;   // MGNUNSTL: MACCT, MSTKNO, MREF, MQTY, MSDATE, MSSDATE ...
  bool with_locations = false;  // write SLMAST
  std::vector<Row> locations;   // SLMAST: LSTKNO, LLCN, LQTYBF, LQTYMTD
  bool with_finance = false;    // write the finance directory
  std::vector<Row> finance_portfolio;
  std::vector<Row> finance_unsettled;
  std::vector<std::string> mapping_lines;  // ASSTKMAP, when not empty
  std::string report;                      // the CCASS report text file's bytes
};

// Where the parts are written, relative to the database directory.
inline constexpr const char* kObxDir = "OBX";
inline constexpr const char* kFinanceDir = "OBXFIN";
inline constexpr const char* kReportFile = "CCASS.TXT";

// Writes the installation into `dir` (created when missing). Throws dbf::Error or
// std::runtime_error when a file cannot be written.
void WriteInstallation(const InstallationSpec& spec, const std::filesystem::path& dir);

// One page of a CCASS report: its three header lines, a rule, the body lines and the page's
// form feed.
std::string ReportPage(const std::string& report, int page, const std::vector<std::string>& body,
                       const std::string& part_id = "B01234",
                       const std::string& run_date = "08DEC26");

// A report line with texts placed at 1-based columns, blanks between.
std::string ReportLine(std::vector<std::pair<int, std::string>> parts);

}  // namespace zur::brokers
