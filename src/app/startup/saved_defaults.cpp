#include "app/startup/saved_defaults.h"

#include <array>
#include <string>

#include "app/startup/setting_compare.h"

namespace zur::startup {
namespace {

// ChiFont11 .. ChiFont22, set together for sites that switch them on with CStarSW.
constexpr std::array<std::string_view, 12> kExtraFonts = {
    "\xa4\xe5\xb9\xa9\xb3\xf8\xa7\xba\xc2\xb2",
    "\xa7\xba\xc5\xe9\xc2\xb2\xc5\xe9",
    "\xb6\xc2\xc5\xe9\xc2\xb2\xc5\xe9",
    "\xb7\xa2\xc5\xe9",
    "\xb6\xc2\xc5\xe9",
    "\xa7\xba\xc5\xe9",
    "\xa5\xe9\xa7\xba\xc5\xe9",
    "\xa4\xe5\xb9\xa9\xa4\xa4\xa6\xe6\xae\xd1\xc5\xe9\xc1\x63",
    "\xa4\xe5\xb9\xa9\xa4\xa4\xc1\xf5\xc5\xe9\xc1\x63",
    "\xa4\xe5\xb9\xa9\xa5\x6a\xa6\x4c\xc5\xe9\xc1\x63",
    "\xa4\xe5\xb9\xa9\xb2\xca\xc3\x51\xb8\x4f\xc1\x63",
    "\xa4\xe5\xb9\xa9\xb2\xd3\xa6\xe6\xb7\xa2\xc5\xe9\xc1\x63",
};

class Completion {
 public:
  explicit Completion(VarStore& vars) : vars_(vars) {}
  void Set(std::string_view name, Value value) {
    vars_.Set(name, std::move(value));
    changed_ = true;
  }
  void DefaultText(std::string_view name, Value value) {
    if (vars_.Type(name) != 'C') Set(name, std::move(value));
  }
  void DefaultNumber(std::string_view name, double value) {
    if (vars_.Type(name) != 'N') Set(name, value);
  }
  bool changed() const { return changed_; }

 private:
  VarStore& vars_;
  bool changed_ = false;
};

}  // namespace

bool CompleteSavedPreferences(VarStore& vars) {
  Completion c(vars);
  // Fonts 1 to 3 belong together: a missing font 1 means none of them was ever saved.
  if (vars.Type("ChiFont1") != 'C') {
    c.Set("ChiFont1", kChiFont1);
    c.Set("ChiFont2", kChiFont2);
    c.Set("ChiFont3", kChiFont3);
  }
  if (vars.Type("ChiFont3") == 'C' && vars.Get("ChiFont3").str() == kFormerChiFont3) {
    c.Set("ChiFont3", kChiFont3);
  }
  // Font 4 is fixed: whatever was saved gives way to it.
  if (vars.Type("ChiFont4") != 'C' || vars.Get("ChiFont4").str() != kChiFont4) {
    c.Set("ChiFont4", kChiFont4);
  }
  c.DefaultText("WinPtFont", vars.Get("ChiFont1"));
  c.DefaultNumber("WinPtOfset", 10);
  c.DefaultNumber("WinPrtOfst", 0);
  if (vars.Type("CStarSW") == 'C' && SettingIs(vars.Get("CStarSW").str(), "Y") &&
      vars.Type("ChiFont11") != 'C') {
    for (size_t i = 0; i < kExtraFonts.size(); ++i) {
      c.Set("ChiFont" + std::to_string(11 + i), kExtraFonts[i]);
    }
  }
  c.DefaultText("DEF_ATI_PTR", "");
  c.DefaultText("DEF_PDF_PTR", "");
  return c.changed();
}

}  // namespace zur::startup
