#include "brokers/installation.h"

#include <fstream>
#include <stdexcept>

#include "app/upgrade/required_fields.h"
#include "lib/text/trim_pad.h"
#include "platform/vars/memory_file.h"
#include "run/scanner/tests/report_text.h"

namespace zur::brokers {
namespace fs = std::filesystem;

namespace {

dbf::FieldSpec C(const char* name, int width) {
  return {name, 'C', width, 0};
}
dbf::FieldSpec N(const char* name) {
  return {name, 'N', 12, 0};
}
dbf::FieldSpec D(const char* name) {
  return {name, 'D', 8, 0};
}

void WriteTable(const fs::path& path, const std::vector<dbf::FieldSpec>& fields,
                const std::vector<Row>& rows) {
  dbf::Table::Create(path, fields);
  auto table = dbf::Table::Open(path, dbf::Share::kExclusive);
  for (const Row& row : rows) {
    table->Append();
    for (const auto& [field, value] : row) table->Replace(field, value);
  }
  table->Flush();
}

void WriteVars(const fs::path& path, const Row& values) {
  VarStore vars;
  for (const auto& [name, value] : values) vars.Set(name, value);
  const MemoryFileResult saved = SaveMemoryFile(path.string(), vars);
  if (!saved.ok()) throw std::runtime_error(saved.error);
}

void WriteText(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

std::vector<dbf::FieldSpec> PortfolioFields(int w) {
  return {C("FACCT", 10), C("FSTKNO", w), N("FQTYBF"), N("FQTYTT"),  N("FDAYQTY"), N("FDAYBS"),
          N("FSTRQTY"),   N("FCOMQTY"),   N("FTDQTY"), N("FBANQTY"), N("FOTHQTY")};
}

std::vector<dbf::FieldSpec> UnsettledFields(int w) {
  return {C("MACCT", 10), C("MSTKNO", w), C("MREF", 1),  N("MQTY"),
          D("MSDATE"),    D("MSSDATE"),   D("MDELDATE"), C("MMARKET", 4)};
}

}  // namespace

void WriteInstallation(const InstallationSpec& spec, const fs::path& dir) {
  const int w = spec.stkno_width;
  const fs::path obx = dir / kObxDir;
  fs::create_directories(obx);

  std::vector<dbf::FieldSpec> settings;
  for (const auto& f : upgrade::RequiredFieldsFor("ATISYSFL", 5)) {
    settings.push_back({f.name, f.type, f.length, f.decimals});
  }
  WriteTable(dir / "ATISYSFL.DBF", settings, {spec.settings});
  WriteVars(dir / "ZUR.XBS", spec.saved_vars);

  WriteTable(obx / "SBSYSFL.DBF", {D("TR_DATE"), D("NTR_DATE"), D("ST_DATE"), C("CO_CODE", 6)},
             {{{"TR_DATE", spec.trade_date},
               {"NTR_DATE", spec.next_trade_date},
               {"ST_DATE", spec.settle_date}}});
  WriteVars(obx / "SB.XBS", spec.backoffice_vars);
  WriteTable(obx / "SMMAST.DBF",
             {C("MSTKNO", w), C("MSTK", 15), C("MISIN", 12), C("MMARKET", 4), C("MCCSTOCK", 1)},
             spec.stocks);
  WriteTable(obx / "CLMAST.DBF", {C("LACCT", 10), C("LNAME", 30), C("LNAME2", 30), C("LSEGAC", 8)},
             spec.clients);
  WriteTable(obx / "PFMAST.DBF", PortfolioFields(w), spec.portfolio);
  WriteTable(obx / "MGNUNSTL.DBF", UnsettledFields(w), spec.unsettled);
  if (spec.with_locations) {
    WriteTable(obx / "SLMAST.DBF", {C("LSTKNO", w), C("LLCN", 8), N("LQTYBF"), N("LQTYMTD")},
               spec.locations);
  }
  if (spec.with_finance) {
    const fs::path fin = dir / kFinanceDir;
    fs::create_directories(fin);
    WriteTable(fin / "PFMAST.DBF", PortfolioFields(w), spec.finance_portfolio);
    WriteTable(fin / "MGNUNSTL.DBF", UnsettledFields(w), spec.finance_unsettled);
  }
  if (!spec.mapping_lines.empty()) {
    std::string text;
    for (const std::string& line : spec.mapping_lines) text += line + "\r\n";
    WriteText(obx / "ASSTKMAP", text);
  }
  WriteText(dir / kReportFile, spec.report);
}

std::string ReportPage(const std::string& report, int page, const std::vector<std::string>& body,
                       const std::string& part_id, const std::string& run_date) {
  scanner::testing::PageFields fields;
  fields.report = report;
  fields.page = page;
  fields.part_id = part_id;
  fields.date = run_date;
  std::string out = scanner::testing::PageHeader(fields) + std::string(150, '-') + "\r\n";
  for (const std::string& line : body) out += line + "\r\n";
  // Blanks long enough that no form feed falls within the window of a header line.
  return out + std::string(150, ' ') + "\r\n\f ";
}

std::string ReportLine(std::vector<std::pair<int, std::string>> parts) {
  std::string line;
  for (const auto& [column, text] : parts) {
    const size_t at = static_cast<size_t>(column - 1);
    if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
    line.replace(at, text.size(), text);
  }
  return line;
}

}  // namespace zur::brokers
