#pragma once
// The maintenance on the headless terminal, on a scratch copy of the sample broker with its
// settings table open as SYS.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup/settings_record.h"
#include "brokers/installation.h"
#include "brokers/sample_broker.h"
#include "lib/text/trim_pad.h"
#include "platform/big5/big5_text.h"
#include "platform/dbf/tests/temp_dir.h"
#include "screens/tests/screens_fixture.h"
#include "segac/segregated_accounts.h"

namespace zur::segac::testing {

class SegacScreenTest : public screens::ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    at_bar_.clear();
    const auto capture = backend.before_read;
    backend.before_read = [this, capture](const term::CellGrid& grid) {
      capture(grid);
      at_bar_.push_back(backend.cursor().row - term::kMenuBarRows == kBarRow);
    };
    areas.CloseAll();
    brokers::WriteInstallation(brokers::SampleBroker(), dir.path());
    areas.SetEnvironment(&functions, &vars);
    dbf::Table& sys =
        areas.Use(dir / "ATISYSFL.DBF", startup::kSettingsAlias, dbf::Share::kExclusive);
    sys.GoTop();
    startup::LoadSettings(sys, vars, true);
    vars.Set("MSG_EXT", ".XBS");
    vars.Set("SYSTEM", "CCASS ZUR Talvero (Ver 7.00g+)");
    vars.Set("TRAN_DATE", Value(*Date::FromYmd(2026, 12, 8)));
    vars.Set("CUR_PTR", "EPSON");
    vars.Set("PRINT_NAME", (dir / "REPORT.PRN").string());
  }

  void Run() { SegregatedAccounts(screen, vars, areas, console, dir.path()); }

  static std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path ClientMaster() const { return dir / "OBX" / "CLMAST.DBF"; }

  // A field of a client as the file holds it, trailing blanks removed.
  std::string Stored(std::string_view acct, std::string_view field) const {
    auto t = dbf::Table::Open(ClientMaster(), dbf::Share::kShared, dbf::Access::kReadOnly);
    for (t->GoTop(); !t->Eof(); t->Skip())
      if (text::RTrim(t->Get("LACCT").str()) == acct)
        return std::string(text::RTrim(t->Get(field).str()));
    return "<no client " + std::string(acct) + ">";
  }
  void Store(std::string_view acct, std::string_view field, std::string_view value) const {
    auto t = dbf::Table::Open(ClientMaster(), dbf::Share::kExclusive);
    for (t->GoTop(); !t->Eof(); t->Skip())
      if (text::RTrim(t->Get("LACCT").str()) == acct) t->Replace(field, Value(std::string(value)));
  }

  // The pictures of the waits of the command bar (the cursor on its row).
  std::vector<std::string> AtTheBar() const {
    std::vector<std::string> out;
    for (size_t i = 0; i < pictures().size() && i < at_bar_.size(); ++i)
      if (at_bar_[i]) out.push_back(pictures()[i]);
    return out;
  }
  // The client shown (row 7) at each wait of the command bar.
  std::vector<std::string> ShownAtTheBar() const {
    std::vector<std::string> shown;
    for (const std::string& p : AtTheBar()) {
      const std::string row = RowOf(p, 7);
      shown.emplace_back(row.size() > 30 ? row.substr(30) : "");
    }
    return shown;
  }

  void Keys(std::initializer_list<term::KeyId> keys) {
    for (term::KeyId k : keys) backend.Press(k);
  }
  // Typed text, Chinese given in UTF-8 and typed as Big5 characters.
  void Type(std::string_view utf8) { backend.Type(big5::Utf8ToBig5(utf8)); }

  static constexpr int kBarRow = 21;

  dbf::testing::TempDir dir;
  dbf::WorkAreas areas;
  expr::FunctionTable functions;
  std::ostringstream console_lines;
  upgrade::StreamConsole console{console_lines, console_lines};

 private:
  std::vector<bool> at_bar_;
};

}  // namespace zur::segac::testing
