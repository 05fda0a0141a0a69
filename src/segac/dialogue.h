#pragma once
// The maintenance dialogue's state and steps, shared by the files that implement it.

#include <filesystem>
#include <string>

#include "app/upgrade/upgrade_console.h"
#include "platform/dbf/work_areas.h"
#include "platform/term/screen.h"
#include "platform/vars/var_store.h"
#include "screens/screen_header.h"
#include "screens/screen_operator.h"
#include "segac/client_master.h"

namespace zur::segac {

inline constexpr std::string_view kCommands = "ASFPNTLE";

class Dialogue {
 public:
  Dialogue(term::Screen& screen, VarStore& vars, dbf::WorkAreas& areas,
           upgrade::UpgradeConsole& console, std::filesystem::path data_dir);
  void Run();

 private:
  // Opening (dialogue.cpp).
  bool AskDirectories();
  bool Open();
  void BuildOrders();
  void DrawScreen();
  void ShowRecord();
  void CommandLoop();
  void SayMsg(const std::string& text);
  void ShowInBox(const std::string& text);  // a message in a box "ZUR"
  std::string FieldText(int field) const;
  bool ExitKey();

  // Commands (commands.cpp).
  void Amend();
  void AmendLocked();
  bool ConfirmDuplicate(const std::string& acct, const std::string& segac, uint32_t mrec);
  void Search();
  void Filter();
  void SetFiltr();
  void List();

  // After Exit (report_step.cpp).
  void OfferReport();
  void PrintReport();

  term::Screen& screen_;
  VarStore& vars_;
  dbf::WorkAreas& areas_;
  upgrade::UpgradeConsole& console_;
  std::filesystem::path data_dir_;
  screens::ScreenHeader header_;
  screens::ScreenOperator op_;
  std::string title_;  // MSG of the screen header
  dbf::Table* clients_ = nullptr;
  ClientFields fields_;
  std::string filter_;  // FILTER_STR
  char cmd_ = 0;        // CMD: the last command letter
};

}  // namespace zur::segac
