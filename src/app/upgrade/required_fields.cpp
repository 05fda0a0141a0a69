#include "app/upgrade/required_fields.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace zur::upgrade {
namespace {

RequiredField C(const char* name, int length) {
  return {name, 'C', length, 0};
}
RequiredField N(const char* name, int length, int decimals = 0) {
  return {name, 'N', length, decimals};
}

std::vector<RequiredField> ReportInfo() {
  return {C("RNAME", 60), N("RPAGE", 5), N("ROFFSET", 10),
          C("RDATE", 7),  C("RTIME", 8), N("REPAGE", 5)};
}

std::vector<RequiredField> ReportOptions() {
  return {C("RNAME", 60), N("RPAGE", 5), C("RDATE", 7),  C("RTIME", 5),  N("ROFFSET", 10),
          N("PFROM", 5),  N("PTO", 5),   N("REPAGE", 5), N("RNOPAGE", 5)};
}

std::vector<RequiredField> WorkTable(int stkno_len) {
  return {C("ASTKNO", stkno_len), C("ASTK", 15),    C("AISIN", 12),   C("AATI", 8),
          N("ACASQTY", 11),       N("AODQTY", 11),  N("ANETQTY", 11), N("ASTLQTY", 11),
          N("AUSTLQTY", 11),      N("ATFRQTY", 11), N("ASSQTY", 11),  N("ASSTLQTY", 11),
          N("ASUSTLQTY", 11),     C("AFROM", 8),    C("ATO", 8),      N("AATIQTY", 11),
          N("AATIQTY1", 11)};
}

std::vector<RequiredField> Settings() {
  return {C("PARTID", 6),    C("PARTNAME", 25), C("PRINTNAME", 20), C("USERKEY", 15),
          C("COLORSET", 20), C("MONOSET", 20),  C("CCASSPATH", 30), C("SBPATH", 30),
          C("SBFPATH", 30),  C("CLPATH", 30),   C("STKFILE", 60),   C("EXCLTYPE", 10),
          C("EXSTRQTY", 1),  C("EXCOMQTY", 1),  C("EXTDQTY", 1),    C("EXBANQTY", 1),
          C("EXOTHQTY", 1),  C("EXSLATI", 8),   C("CLA_ATI", 8),    C("CLC_ATI", 8),
          C("CLI_ATI", 8),   C("CLM_ATI", 8),   C("CLP_ATI", 8),    C("CLF_ATI", 8),
          C("CLO_ATI", 8),   C("COMPRESSD", 1), C("CHINESES", 1),   C("ATITEXT", 30),
          C("STITEXT", 30),  C("OWNREF", 15),   C("COVERSS", 1),    C("ATI02", 1),
          C("ATIONLY", 1),   C("OS2FILE", 1),   C("ATI01OUT", 1),   C("NOSHRATI", 1),
          C("EXCLA29", 8),   C("CLBM_ATI", 8),  C("CLBP_ATI", 8),   C("SENDBIC", 8),
          C("SYSTEMKEY", 4), N("XPSCRDEN", 3),  C("NETSOLDDAY", 1), C("NETBUYDAY", 1)};
}

std::string Upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

}  // namespace

std::vector<RequiredField> RequiredFieldsFor(std::string_view name, int stkno_len) {
  const std::string full = Upper(name);
  const std::string base = Upper(std::filesystem::path(std::string(name)).filename().string());
  if (full.ends_with("CLMAST")) return {C("LSEGAC", 8)};
  if (base == "RPINFO") return ReportInfo();
  if (base == "RPOPTN") return ReportOptions();
  if (base == "ATIMAST") return WorkTable(stkno_len);
  if (base == "ATISYSFL") return Settings();
  return {};
}

}  // namespace zur::upgrade
