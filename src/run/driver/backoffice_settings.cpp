#include "run/driver/backoffice_settings.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "platform/vars/memory_file.h"

namespace zur::driver {
namespace {

constexpr std::array<std::string_view, 6> kScrambledTexts = {"CO_NAME", "MGN_NAME", "PSWD_1",
                                                             "PSWD_2",  "PSWD_3",   "PSWD_4"};

// The program's printer and colour state, which the back office's settings would overwrite.
constexpr std::array<std::string_view, 8> kKeptState = {"PRINT_NAME",  "CUR_PTR",   "WinPtPort",
                                                        "DEF_PDF_PTR", "cXpBgClr1", "cXpFgClr1",
                                                        "cXpBgClr2",   "cXpFgClr2"};

}  // namespace

std::string Encode(std::string_view text) {
  std::string out(text);
  const size_t end = out.find_last_not_of(' ');
  if (end == std::string::npos) return out;
  for (size_t i = 0; i <= end; ++i) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (c == 32 || c == 160) continue;
    out[i] = static_cast<char>(c <= 127 ? c + 128 : c - 128);
  }
  return out;
}

void TurnOverBackOfficeTexts(VarStore& vars) {
  for (std::string_view name : kScrambledTexts) {
    Value* v = vars.Find(name);
    if (v != nullptr && v->IsChar()) v->str() = Encode(v->str());
  }
}

std::string LoadBackOfficeSettings(const std::string& path, VarStore& vars) {
  std::vector<std::pair<std::string_view, std::optional<Value>>> kept;
  for (std::string_view name : kKeptState) {
    const Value* v = vars.Find(name);
    kept.emplace_back(name, v != nullptr ? std::optional<Value>(*v) : std::nullopt);
  }
  const Value stkno_len = vars.Get("STKNO_LEN");
  vars.Set("ati_COLOR_SET", "N+/W,W+/G");

  const MemoryFileResult loaded = RestoreMemoryFile(path, vars, RestoreMode::kAdditive);
  if (!loaded.ok()) return "ERROR: " + loaded.error;

  vars.Set("MSG_EXT", ".XBS");
  const Value* co_name = vars.Find("CO_NAME");
  if (co_name != nullptr && co_name->IsChar() && !co_name->str().empty() &&
      static_cast<unsigned char>(co_name->str()[0]) >= 128) {
    TurnOverBackOfficeTexts(vars);
  }
  if (!(vars.Get("STKNO_LEN") == stkno_len)) vars.Set("STKNO_LEN", 5);
  for (auto& [name, value] : kept) {
    if (value) {
      vars.Set(name, *value);
    } else {
      vars.Release(name);
    }
  }
  vars.Set("COLOR_SET", vars.Get("ati_COLOR_SET"));
  return "";
}

}  // namespace zur::driver
