#pragma once
// The directory set-up of a separate installation, offered at start-up when the database or
// the library directory is not found: a yes/no box, then a screen with an entry and a Browse
// button for each directory. The answer is remembered in the initialisation file ("ZUR.INI"
// of the start directory): a declined set-up switches the checks off for later starts, a
// completed one names both directories.

#include "app/startup/directory_check.h"
#include "platform/term/screen.h"

namespace zur::screens {

// The set-up for the request; a kFailed answer carries the message the program ends with (the
// caller shows it).
startup::DirectorySetupAnswer DirectorySetup(term::Screen& screen,
                                             const startup::DirectorySetupRequest& request);

// DirectorySetup on `screen`, as start-up's directory_setup routine.
startup::DirectorySetup DirectorySetupOn(term::Screen& screen);

}  // namespace zur::screens
