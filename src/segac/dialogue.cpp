#include "segac/dialogue.h"

#include <system_error>
#include <vector>

#include "app/startup/settings_record.h"
#include "app/startup/settings_write.h"
#include "lib/text/trim_pad.h"
#include "platform/term/get_read.h"
#include "platform/term/light_bar_menu.h"
#include "platform/term/message_box.h"
#include "run/driver/backoffice_settings.h"
#include "run/driver/run_files.h"
#include "run/reports/report_page.h"
#include "screens/exit_key.h"
#include "segac/prompts.h"
#include "segac/segregated_accounts.h"

namespace zur::segac {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kTitle = "(3) SETUP SEGREGATED A/C";
constexpr int kDirectoryWidth = 30;
// Where the values of the current record are shown; entries start one column left of them.
constexpr int kValueCol = 30;

std::string TextOr(const VarStore& vars, std::string_view name, size_t width) {
  const Value* v = vars.Find(name);
  return v != nullptr && v->IsChar() ? v->str() : std::string(width, ' ');
}

bool IsFile(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

}  // namespace

Dialogue::Dialogue(term::Screen& screen, VarStore& vars, dbf::WorkAreas& areas,
                   upgrade::UpgradeConsole& console, fs::path data_dir)
    : screen_(screen),
      vars_(vars),
      areas_(areas),
      console_(console),
      data_dir_(std::move(data_dir)),
      header_(screen),
      op_(screen),
      title_(kTitle) {}

void Dialogue::Run() {
  // The client master is closed however the dialogue ends.
  struct CloseClients {
    dbf::WorkAreas& areas;
    int area;
    ~CloseClients() {
      areas.Close(kClientAlias);
      if (area != 0) areas.Select(area);
    }
  } close{areas_, areas_.current()};
  try {
    vars_.Set("MSG", title_);
    header_.Draw(vars_);
    if (AskDirectories() && Open()) {
      BuildOrders();
      title_ = reports::TitleFor(std::string(kTitle), vars_.Get("SYSTEM_KEY").StrOr());
      vars_.Set("MAIN", "3");
      vars_.Set("MAIN_STR", "ACREPORT");
      DrawScreen();
      filter_.clear();
      cmd_ = 0;
      vars_.Set("FILTER_STR", "");
      vars_.Set("CMD", "");
      clients_->GoTop();
      vars_.Set("M_ORDER", 1);
      CommandLoop();
      OfferReport();
    }
  } catch (const dbf::Error& e) {
    // A table the system refused: a damaged record, a failed write, a lock it cannot take.
    ShowInBox(std::string("ERROR: ") + e.what());
  } catch (const std::system_error& e) {
    ShowInBox(std::string("ERROR: ") + e.what());
  }
}

bool Dialogue::ExitKey() {
  return screens::ExitKey(screen_, vars_);
}

void Dialogue::SayMsg(const std::string& text) {
  vars_.Set("MSG", text);
  op_.MessageLineAndWait(text);
}

// A message that is not one of the screen's own: in a box, where a long file name fits.
void Dialogue::ShowInBox(const std::string& text) {
  term::MessageBox(screen_, text, "ZUR");
}

std::string Dialogue::FieldText(int field) const {
  return std::string(clients_->Raw(field));
}

bool Dialogue::AskDirectories() {
  term::Console& console = screen_.console();
  // Directories are kept as typed: letter case counts in the names of this system's folders.
  std::string sb = TextOr(vars_, "SB_DIR", kDirectoryWidth);
  std::string cl = TextOr(vars_, "CL_DIR", kDirectoryWidth);
  console.Say(12, 7, "      SB DATA DIRECTORY :");
  console.Say(13, 7, "CLIENT MASTER DIRECTORY :");
  std::vector<term::GetEntry> entries{{12, 33, &sb, "", {}}, {13, 33, &cl, "", {}}};
  term::ReadGets(screen_, entries);
  if (ExitKey()) return false;
  vars_.Set("SB_DIR", sb);
  vars_.Set("CL_DIR", cl);
  return true;
}

bool Dialogue::Open() {
  const driver::RunFiles files = driver::NameRunFiles(vars_);
  vars_.Set("SB_PATH", files.sb_path);
  vars_.Set("CL_PATH", files.cl_path);
  vars_.Set("MSG_FNAME", files.msg_fname);
  vars_.Set("CL_FNAME", files.cl_fname);
  const fs::path message_file = driver::OnDisk(data_dir_, files.msg_fname);
  if (!IsFile(message_file)) {
    SayMsg("ERROR: MESSAGE FILE NOT FOUND IN " + files.sb_path + " !  PLEASE RE-TRY !");
    return false;
  }
  const fs::path client_file = driver::OnDisk(data_dir_, files.cl_fname);
  if (!IsFile(client_file)) {
    SayMsg("ERROR: CLIENT MASTER NOT FOUND IN " + files.cl_path + " !  PLEASE RE-TRY !");
    return false;
  }
  const startup::SettingsWriteResult written = startup::WriteBackOfficeDirsBack(vars_, areas_);
  if (!written.ok()) ShowInBox("ERROR: " + written.error);
  const std::string loaded = driver::LoadBackOfficeSettings(message_file.string(), vars_);
  if (!loaded.empty()) {
    ShowInBox(loaded);
    return false;
  }
  startup::SetDisplayVariables(vars_, true);

  const ClientMasterOpen opened = OpenClientMaster(areas_, client_file, console_);
  if (opened.table == nullptr) {
    if (opened.message == kCannotOpen) {
      SayMsg(opened.message);
    } else if (!opened.message.empty()) {
      ShowInBox(opened.message);
    }
    return false;
  }
  clients_ = opened.table;
  fields_ = opened.fields;
  return true;
}

void Dialogue::BuildOrders() {
  term::Console& console = screen_.console();
  console.ClearRows(23, 23);
  console.Say(23, 0, "Generating Client Master Index ...");
  BuildClientOrders(*clients_, [this](int percent) { op_.Percent(percent); });
  op_.PercentDone();
}

void Dialogue::DrawScreen() {
  vars_.Set("MSG", title_);
  header_.Draw(vars_);
  term::Console& console = screen_.console();
  console.Say(7, 14, "CLIENT A/C NO :");
  console.Say(9, 16, "CLIENT NAME :");
  console.Say(12, 7, "CCASS SEGREGATED A/C :");
}

void Dialogue::ShowRecord() {
  term::Console& console = screen_.console();
  console.Say(5, 0, filter_.empty() ? std::string(9, ' ') : std::string("FILTER ON"));
  if (clients_->Deleted()) {
    term::Attr blinking = console.colours().standard;
    blinking.blink = true;
    console.Say(5, 70, "DELETED", blinking);
  } else {
    console.Say(5, 70, std::string(7, ' '));
  }
  const std::pair<int, int> shown[] = {
      {7, fields_.acct}, {9, fields_.name}, {10, fields_.name2}, {12, fields_.segac}};
  for (const auto& [row, field] : shown) {
    // Also clears what an entry one column further left left behind.
    console.Clear(term::Corners(row, kValueCol - 1, row, term::kGridColumns - 1));
    console.Say(row, kValueCol, clients_->Raw(field));
  }
}

void Dialogue::CommandLoop() {
  static const std::vector<term::Prompt> kBar = {
      {21, 12, " Amend ", ""},    {21, 19, " Search ", ""}, {21, 27, " Filter ", ""},
      {21, 35, " Previous ", ""}, {21, 45, " Next ", ""},   {21, 51, " Top ", ""},
      {21, 56, " List ", ""},     {21, 62, " Exit ", ""}};
  term::Console& console = screen_.console();
  for (;;) {
    ShowRecord();
    if (cmd_ == 'P') cmd_ = 'N';
    const size_t last = cmd_ == 0 ? std::string_view::npos : kCommands.find(cmd_);
    console.ClearRows(20, term::kGridRows - 1);
    term::Attr dim = console.colours().standard;
    dim.dim = true;
    console.Line(20, 0, term::kGridColumns - 1, dim);
    const int chosen =
        term::LightBarMenu(screen_, kBar, last == std::string_view::npos ? 1 : int(last) + 1);
    cmd_ = chosen == 0 ? 'E' : kCommands[static_cast<size_t>(chosen - 1)];
    vars_.Set("CMD", std::string(1, cmd_));
    if (!filter_.empty() && (cmd_ == 'T' || cmd_ == 'P' || cmd_ == 'N')) SayWait(screen_);
    if (cmd_ == 'E') return;
    if (clients_->Eof()) continue;  // no current record: nothing to do
    switch (cmd_) {
      case 'T':
        clients_->GoTop();
        break;
      case 'P':
        clients_->Skip(-1);
        if (clients_->Bof()) clients_->GoBottom();
        break;
      case 'N':
        clients_->Skip(1);
        if (clients_->Eof()) clients_->GoTop();
        break;
      case 'F':
        Filter();
        break;
      case 'L':
        List();
        break;
      case 'A':
        Amend();
        break;
      case 'S':
        Search();
        break;
      default:
        break;
    }
  }
}

void SegregatedAccounts(term::Screen& screen, VarStore& vars, dbf::WorkAreas& areas,
                        upgrade::UpgradeConsole& console, const std::filesystem::path& data_dir) {
  Dialogue(screen, vars, areas, console, data_dir).Run();
}

std::function<void()> ScreenOn(term::Screen& screen, VarStore& vars, dbf::WorkAreas& areas,
                               upgrade::UpgradeConsole& console, std::filesystem::path data_dir) {
  return [&screen, &vars, &areas, &console, dir = std::move(data_dir)] {
    SegregatedAccounts(screen, vars, areas, console, dir);
  };
}

}  // namespace zur::segac
