#include "lib/compat/program_exit.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "lib/text/trim_pad.h"

namespace zur::compat {

bool ExitXbSend(const VarStore& vars, const std::function<void()>& close_printer_output) {
  if (close_printer_output) close_printer_output();
  const Value* port = vars.Find("WinPtPort");
  if (port == nullptr || !port->IsChar()) return false;
  std::string path(text::AllTrim(port->str()));
  struct stat st;
  // Only the printer output file itself: never a directory or a device that a port names.
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return ::unlink(path.c_str()) == 0;
}

}  // namespace zur::compat
