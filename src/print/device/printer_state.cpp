#include "print/device/printer_state.h"

#include <cctype>
#include <charconv>

#include "lib/text/setting_match.h"
#include "xml/ati_config.h"
#include "xml/element_text.h"

namespace zur::print {
namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string TextOf(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v && v->IsChar() ? std::string(TrimRight(v->str())) : std::string();
}

}  // namespace

std::string PortPaths::PathFor(std::string_view port) const {
  const std::string name = Upper(TrimRight(port));
  if (auto it = overrides.find(name); it != overrides.end() && !it->second.empty())
    return it->second;
  int number = 1;
  const char* digits = name.data() + 3;
  auto [end, ec] = std::from_chars(digits, name.data() + name.size(), number);
  if (ec != std::errc() || end != name.data() + name.size() || number < 1) return {};
  const std::string index = std::to_string(number - 1);
  return name.starts_with("LPT") ? "/dev/lp" + index : "/dev/ttyS" + index;
}

PortPaths PortPathsFromSettings(const VarStore& vars) {
  PortPaths paths;
  for (const std::string& name : vars.Names()) {
    const std::string up = Upper(name);
    if (!up.starts_with("PORT_") || !IsPortName(up.substr(5))) continue;
    const std::string_view path = TrimRight(vars.Get(name).StrOr());
    if (!path.empty()) paths.overrides[up.substr(5)] = std::string(path);
  }
  if (const xml::AtiConfig* config = xml::ConfigOf(vars)) {
    // Setting names compare exactly; the first of a name counts, a variable comes first.
    for (const auto& [name, value] : config->settings()) {
      if (!name.starts_with("PORT_")) continue;
      const std::string port = name.substr(5);
      if (!IsPortName(port) || port != Upper(port)) continue;
      const std::string_view path = xml::TrimmedText(value);
      if (!path.empty()) paths.overrides.emplace(port, path);
    }
  }
  return paths;
}

bool IsPortName(std::string_view name) {
  const std::string up = Upper(name.substr(0, 3));
  return up == "LPT" || up == "COM";
}

bool IsNullName(std::string_view name) {
  return Upper(TrimRight(name)) == "NUL";
}

bool IsWinPtr(const PrinterState& state) {
  return state.windowed && text::SettingIs(state.cur_ptr, "WINDOW_PRINTER") &&
         IsPortName(state.print_name);
}

PrinterState PrinterStateFromVars(const VarStore& vars, bool windowed) {
  PrinterState state;
  state.cur_ptr = TextOf(vars, "CUR_PTR");
  state.print_name = TextOf(vars, "PRINT_NAME");
  if (state.print_name.empty()) state.print_name = "LPT1";
  state.prt_server = TextOf(vars, "PRT_SERVER");
  state.win_pt_port = TextOf(vars, "WinPtPort");
  state.windowed = windowed;
  state.ports = PortPathsFromSettings(vars);
  return state;
}

void StorePrinterState(const PrinterState& state, VarStore& vars) {
  vars.Set("PRINT_NAME", state.print_name);
  vars.Set("WinPtPort", state.win_pt_port);
}

}  // namespace zur::print
