#pragma once
// The printer target of the system: the printer type, the port or file name, and where each
// port name leads on this machine.

#include <map>
#include <string>
#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::print {

// Device paths of the port names "LPT1".."LPT3", "COM1"..; settings such as PORT_LPT1 override
// the defaults (LPTn -> /dev/lp(n-1), COMn -> /dev/ttyS(n-1)).
struct PortPaths {
  std::map<std::string, std::string> overrides;  // upper-case port name -> path
  std::string PathFor(std::string_view port) const;
};

// The port paths set in the settings: every text variable PORT_<port> (PORT_LPT1, PORT_COM2),
// and for a port without one the setting of that name in "ATIConfig.dat" (oConfig).
PortPaths PortPathsFromSettings(const VarStore& vars);

struct PrinterState {
  std::string cur_ptr = "WINDOW_PRINTER";  // CUR_PTR
  std::string print_name = "LPT1";         // PRINT_NAME
  std::string prt_server = "N";            // PRT_SERVER
  std::string win_pt_port;                 // WinPtPort
  bool windowed = false;
  PortPaths ports;
};

// "LPT..." or "COM..." (any case).
bool IsPortName(std::string_view name);
// "NUL" (any case, trailing blanks ignored).
bool IsNullName(std::string_view name);
// Printing goes through a system printer: windowed, type "WINDOW_PRINTER" and a port name.
bool IsWinPtr(const PrinterState& state);

// The printer target from CUR_PTR, PRINT_NAME ("LPT1" when blank), PRT_SERVER and WinPtPort,
// trailing blanks dropped, with the port paths of the settings.
PrinterState PrinterStateFromVars(const VarStore& vars, bool windowed);
// PRINT_NAME and WinPtPort back into the variables, as the target routines may change them.
void StorePrinterState(const PrinterState& state, VarStore& vars);

}  // namespace zur::print
