#pragma once
// `zur dbf FILE`: shows a table's structure and its records.

#include <ostream>
#include <string>
#include <vector>

namespace zur::commands {

// `args` are the words after "dbf": the table's file name (".DBF" may be left off). Writes
// one line per field (name, type, length, decimals), an empty line, then the records as CSV:
// a header of "DEL" and the field names, then one line per record in file order whose first
// column is "*" for a deleted record; values as stored without trailing blanks (numbers
// without leading blanks either), dates as YYYYMMDD. Returns 0; 1 (message on `err`) when
// the table is missing or damaged; 2 for a wrong call.
int DbfCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zur::commands
