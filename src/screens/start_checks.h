#pragma once
// The checks of the start-checking screen's fields, each showing its message in a box titled
// "ZUR" when it fails.

#include "platform/term/entry_field.h"
#include "platform/term/screen.h"

namespace zur::screens {

// FSBDIRVALID: the back-office data directory must contain "OBX" (upper case).
bool ObxDirectoryValid(term::Screen& screen, const term::EntryField& field);
// FGENDATEVALID: the transmission date as DD/MM/YY, DDMMYY or DDMMYYYY; a valid date is put
// back into the field as DD/MM/YY.
bool TransmissionDateValid(term::Screen& screen, term::EntryField& field);

}  // namespace zur::screens
