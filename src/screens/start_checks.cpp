#include "screens/start_checks.h"

#include "lib/format/date_text.h"
#include "platform/term/message_box.h"

namespace zur::screens {

bool ObxDirectoryValid(term::Screen& screen, const term::EntryField& field) {
  if (field.text().find("OBX") != std::string::npos) return true;
  term::MessageBox(screen, "ERROR: \"OBX DATA DIRECTORY\" Should contain OBX !", "ZUR");
  return false;
}

bool TransmissionDateValid(term::Screen& screen, term::EntryField& field) {
  if (const std::optional<std::string> date = format::Fdmy(field.text())) {
    field.SetText(*date);
    return true;
  }
  term::MessageBox(screen, "ERROR: Invalid Date", "ZUR");
  return false;
}

}  // namespace zur::screens
