#include "run/driver/run_tables.h"

#include <string>
#include <string_view>
#include <utility>

#include "app/upgrade/flconv.h"
#include "lib/format/stock_number.h"
#include "lib/text/text_lines.h"
#include "lib/text/trim_pad.h"
#include "run/driver/stop.h"
#include "run/position/stock_code_map.h"

namespace zur::driver {
namespace fs = std::filesystem;

namespace {

// The structure upgrade's lines go to the operator.
class OperatorConsole : public upgrade::UpgradeConsole {
 public:
  explicit OperatorConsole(run::Operator& op) : op_(op) {}
  void Line(std::string_view text) override { op_.ProgressLine(text); }
  void Error(std::string_view text) override { op_.MessageBox("ZUR", text); }
  void Bell() override {}
  void WaitKey(std::string_view) override {}

 private:
  run::Operator& op_;
};

dbf::Table& Open(dbf::WorkAreas& areas, const fs::path& path, std::string_view alias,
                 dbf::Share share) {
  areas.Select(0);
  return areas.Use(path, alias, share);
}

bool IsChinaConnect(const VarStore& vars) {
  const Value key_value = vars.Get("SYSTEM_KEY");
  const std::string_view key = key_value.StrOr();
  return key.starts_with("SAS ") || key.starts_with("SZMK");
}

Value MappingRows(const position::StockCodeMap& map) {
  Value rows = Value::NewArray();
  for (const position::StockCodeRow& r : map.rows()) {
    rows.array()->push_back(Value::NewArray({Value(r.code), Value(r.ccass_no), Value(r.extra)}));
  }
  return rows;
}

// Rewrites the 6-character codes of `field`; `alert` is asked about codes without a row.
void RewriteCodes(dbf::Table& table, std::string_view field, const position::StockCodeMap& map,
                  const std::function<void(dbf::Table&, const std::string&)>& alert) {
  const int index = table.FieldIndex(field);
  if (index < 0) return;
  for (table.GoTop(); !table.Eof(); table.Skip()) {
    const std::string code(text::AllTrim(table.Get(index).str()));
    if (code.size() != 6) continue;
    if (auto ccass = map.Find(code)) {
      table.Replace(index, Value(format::StrVal2(*ccass)));
    } else if (alert) {
      alert(table, code);
    }
  }
  table.Flush();
}

}  // namespace

void MapStockCodes(const RunFiles& files, const fs::path& data_dir, dbf::WorkAreas& areas,
                   VarStore& vars, run::Operator& op) {
  vars.Set("MAP_ALERTS", true);
  if (!vars.Get("SAS_MKT").IsTrue()) return;
  const fs::path map_path = OnDisk(data_dir, files.sb_path + kMappingFile);
  std::vector<std::string> lines;
  std::error_code ec;
  if (fs::is_regular_file(map_path, ec)) {
    text::TextLines read = text::ReadTextLines(map_path.string());
    if (!read.ok()) Stop(op, "ERROR: " + read.error);
    lines = std::move(read.lines);
  }
  vars.Set("mRowMax", static_cast<int>(lines.size()));
  if (IsChinaConnect(vars) && lines.empty()) {
    areas.CloseAll();
    Stop(op,
         "ERROR: Stock code mapping file ASSTKMAP (OBX) not found \r\nPlease download the "
         "recently one in ECP !");
  }
  const position::StockCodeMap map = position::StockCodeMap::FromLines(lines);
  vars.Set("STKCODE", MappingRows(map));

  const std::string system_key(vars.Get("SYSTEM_KEY").StrOr());
  bool alerts = true;
  WithTableErrors(op, [&] {
    dbf::Table& sm = Open(areas, OnDisk(data_dir, files.sm_fname), "SM", dbf::Share::kExclusive);
    const int width_at = sm.FieldIndex("MSTKNO");
    if (width_at >= 0 && sm.fields()[width_at].length > 5) {
      const int market_at = sm.FieldIndex("MMARKET");
      RewriteCodes(sm, "MSTKNO", map, [&](dbf::Table& t, const std::string& code) {
        if (!alerts || market_at < 0) return;
        const std::string market(t.Get(market_at).StrOr());
        const bool own_market = (market.starts_with("SAS ") && system_key.starts_with("SAS ")) ||
                                (market.starts_with("SZMK") && system_key.starts_with("SZMK"));
        if (!own_market) return;
        alerts = op.YesNo("ZUR", "ERROR: " + code +
                                     " not found on stock code mapping file ASSTKMAP (OBX)\r\n"
                                     "Please download the recently one in ECP !\r\n"
                                     "Do you want to continue the alert?");
      });
      dbf::Table& pf = Open(areas, OnDisk(data_dir, files.pf_fname), "PF", dbf::Share::kExclusive);
      RewriteCodes(pf, "FSTKNO", map, {});
    }
    areas.Close("SM");
    areas.Close("PF");
  });
  vars.Set("MAP_ALERTS", alerts);
}

void OpenRunTables(const RunFiles& files, const fs::path& data_dir, dbf::WorkAreas& areas,
                   VarStore& vars, run::Operator& op) {
  WithTableErrors(op, [&] {
    const fs::path cl_path = OnDisk(data_dir, files.cl_fname);
    dbf::Table* cl = &Open(areas, cl_path, "CL", dbf::Share::kShared);
    const int seg = cl->FieldIndex("LSEGAC");
    if (seg < 0 || cl->fields()[seg].type != 'C' || cl->fields()[seg].length < 8) {
      areas.Close("CL");
      OperatorConsole console(op);
      std::string name = cl_path.string();
      name.resize(name.size() - 4);  // without ".DBF"
      const upgrade::UpgradeResult up = upgrade::Flconv(name, console);
      if (up.status == upgrade::UpgradeStatus::kQuit ||
          up.status == upgrade::UpgradeStatus::kFailed) {
        throw run::RunStopped(up.message);
      }
      cl = &Open(areas, cl_path, "CL", dbf::Share::kShared);
    }

    // ATIMAST's order on STRVAL(ASTKNO)+AATI, the stock master's on STRVAL3(MSTKNO) and the
    // unsettled trades' on MACCT+STRVAL3(MSTKNO) are kept by the steps that read them
    // (holdings::HoldingsIndex, StockLookup, position::UnsettledTrades), not by the tables.
    for (const auto& [work, alias] :
         {std::pair{"RPINFO", "INFO"}, std::pair{"RPOPTN", "OPTN"}, std::pair{"ATIMAST", "ZUR"}}) {
      Open(areas, OnDisk(data_dir, std::string(work) + ".DBF"), alias, dbf::Share::kExclusive)
          .Zap();
    }

    Open(areas, OnDisk(data_dir, files.pf_fname), "PF", dbf::Share::kShared);
    dbf::Table& sm = Open(areas, OnDisk(data_dir, files.sm_fname), "SM", dbf::Share::kShared);
    const int mstkno = sm.FieldIndex("MSTKNO");
    if (mstkno < 0) throw dbf::Error(dbf::ErrorKind::kDamaged, sm.path().string() + ": no MSTKNO");
    vars.Set("STKNO_LEN2", sm.fields()[mstkno].length);
    dbf::Table& mu = Open(areas, OnDisk(data_dir, files.mu_fname), "MU", dbf::Share::kShared);
    const int del = mu.FieldIndex("MDELDATE");
    if (vars.Get("CC_READY").IsTrue() && (del < 0 || mu.fields()[del].type != 'D')) {
      vars.Set("CC_READY", false);
    }
    if (!files.sl_fname.empty()) {
      dbf::Table& sl = Open(areas, OnDisk(data_dir, files.sl_fname), "SL", dbf::Share::kShared);
      sl.CreateOrder("SLNO", "STRVAL(LSTKNO)+LLCN");
    }
    if (!files.sbf_path.empty()) {
      Open(areas, OnDisk(data_dir, files.pff_fname), "PFF", dbf::Share::kShared);
      Open(areas, OnDisk(data_dir, files.muf_fname), "MUF", dbf::Share::kShared);
    }
    areas.Select("INFO");
  });
}

}  // namespace zur::driver
