#pragma once
// The start-checking screen's fields as the run receives them. A field that is not given keeps
// the value the screen would show: the settings record's, today's date, file numbers 1.

#include <optional>
#include <string>

#include "platform/vars/date.h"
#include "platform/vars/var_store.h"

namespace zur::driver {

struct StartScreenInputs {
  std::optional<std::string> stk_file;  // STK_FILE, the CCASS report text file (60)
  std::optional<std::string> sb_dir;    // SB_DIR, the back-office data directory (30)
  std::optional<std::string> sbf_dir;   // SBF_DIR, the finance company's directory (30)
  std::optional<std::string> cl_dir;    // CL_DIR, the client master's directory (30)
  std::optional<std::string> ati_text;  // ATI_TEXT, the ZUR upload file (30)
  std::optional<std::string> sti_text;  // STI_TEXT, the STI upload file (30)
  std::optional<std::string> own_ref;   // OWN_REF (15)
  std::optional<Date> gen_date;         // GEN_DATE, the transmission date
  std::optional<int> ati_fileno;        // ATI_FILENO, 0..9
  std::optional<int> sti_fileno;        // STI_FILENO, 0..9
};

// Sets the screen's working variables and its fields as the screen leaves them after
// Process: texts padded to their field width, CCASS_DIR empty, PRINT_PDF false. Returns the
// message for a value the screen would not take (too long for its field, a file number
// outside 0..9, a blank date), and then changes nothing.
std::string ApplyStartScreen(const StartScreenInputs& in, VarStore& vars);

// "DD/MM/YYYY" as a date; nothing when it is not a real date.
std::optional<Date> ParseDayMonthYear(const std::string& text);

}  // namespace zur::driver
