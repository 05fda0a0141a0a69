#include "run/driver/start_screen.h"

#include <charconv>
#include <vector>

#include "lib/text/trim_pad.h"

namespace zur::driver {
namespace {

struct TextField {
  const char* var;
  const char* label;
  size_t width;
  const std::optional<std::string>* value;
};

}  // namespace

std::string ApplyStartScreen(const StartScreenInputs& in, VarStore& vars) {
  const std::vector<TextField> fields = {
      {"STK_FILE", "stock report file name", 60, &in.stk_file},
      {"SB_DIR", "OBX data directory", 30, &in.sb_dir},
      {"SBF_DIR", "finance data directory", 30, &in.sbf_dir},
      {"CL_DIR", "client master directory", 30, &in.cl_dir},
      {"ATI_TEXT", "ZUR upload file name", 30, &in.ati_text},
      {"STI_TEXT", "STI upload file name", 30, &in.sti_text},
      {"OWN_REF", "own reference", 15, &in.own_ref},
  };
  for (const TextField& f : fields) {
    if (*f.value && f.value->value().size() > f.width) {
      return "ERROR: The " + std::string(f.label) + " holds more than " + std::to_string(f.width) +
             " characters: " + f.value->value();
    }
  }
  for (const auto& no : {in.ati_fileno, in.sti_fileno}) {
    if (no && (*no < 0 || *no > 9)) return "ERROR: A file number is one digit (0 to 9)";
  }
  if (in.gen_date && in.gen_date->IsBlank()) return "ERROR: The transmission date is blank";

  vars.Set("MSG", "(2) START CHECKING");
  vars.Set("PRINT_PDF", false);
  vars.Set("CCASS_DIR", "");
  vars.Set("page", 1);
  for (const TextField& f : fields) {
    if (*f.value) {
      vars.Set(f.var, text::PadR(**f.value, f.width));
    } else if (vars.Type(f.var) != 'C') {
      vars.Set(f.var, std::string(f.width, ' '));
    }
  }
  if (in.gen_date) {
    vars.Set("GEN_DATE", *in.gen_date);
  } else if (vars.Type("GEN_DATE") != 'D') {
    vars.Set("GEN_DATE", Date::Today());
  }
  vars.Set("ATI_FILENO", in.ati_fileno.value_or(1));
  vars.Set("STI_FILENO", in.sti_fileno.value_or(1));
  return "";
}

std::optional<Date> ParseDayMonthYear(const std::string& text) {
  if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
  auto number = [&](size_t at, size_t len, int& out) {
    const char* first = text.data() + at;
    const auto r = std::from_chars(first, first + len, out);
    return r.ec == std::errc() && r.ptr == first + len;
  };
  int d = 0, m = 0, y = 0;
  if (!number(0, 2, d) || !number(3, 2, m) || !number(6, 4, y)) return std::nullopt;
  return Date::FromYmd(y, m, d);
}

}  // namespace zur::driver
