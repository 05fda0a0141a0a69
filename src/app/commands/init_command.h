#pragma once
// `zur init DIR`: a new database directory for a broker that starts with the program. It
// holds the settings table with its one record (the participant's ID and the site code
// filled in, everything else blank for the system setup screen), the program's own tables and
// "ZUR.XBS" with the start-up defaults. A directory that already holds a settings table is
// refused and left as it was.

#include <ostream>
#include <string>

namespace zur::commands {

struct InitOptions {
  std::string dir;             // created when missing
  std::string participant_id;  // PARTID, e.g. "B01234"
  std::string site;            // USERKEY; may be blank
  std::string sender_bic;      // SENDBIC; may be blank (the setup screen edits it)
};

// Returns 0 when the directory stands ready, 1 when it was refused or could not be made (the
// message on `err`), 2 for a wrong call.
int InitCommand(const InitOptions& options, std::ostream& out, std::ostream& err);

}  // namespace zur::commands
