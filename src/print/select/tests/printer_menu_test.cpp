#include "print/select/printer_menu.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/term/static_text.h"
#include "print/select/tests/dialogs_fixture.h"
#include "screens/screen_header.h"

namespace zur::print {
namespace {

namespace fs = std::filesystem;

class PrinterMenuTest : public PrinterDialogsTest {
 protected:
  void Run() {
    SelectPrinterType(Dialogs());
    Shown();
  }
  // A port that stands ready: its device is a file of the test.
  void PortReady(const std::string& port) {
    const fs::path device = dir / ("dev-" + port);
    std::ofstream(device).put('\0');
    vars.Set("PORT_" + port, device.string());
  }
};

TEST_F(PrinterMenuTest, TheMenuAndAnAnswerThatIsNoOptionChangesNothing) {
  vars.Set("USER_KEY", Padded("NEPAGU", 15));
  vars.Set("PTR_WIDTH", 160);
  backend.Type("2");  // typed before the menu showed: dropped
  When("Your Choice :", "X");
  Run();
  EXPECT_TRUE(AllAnswered());
  const std::string menu = PictureWith("Your Choice :");
  EXPECT_NE(RowOf(menu, 3).find("(S) PRINTER SELECTION"), std::string::npos);
  EXPECT_EQ(RowOf(menu, 6), std::string(30, ' ') + "SELECT PRINTER");
  EXPECT_EQ(RowOf(menu, 7), std::string(30, ' ') + "--------------");
  EXPECT_EQ(RowOf(menu, 9), std::string(25, ' ') + " 1. EPSON TYPE PRINTERS");
  EXPECT_EQ(RowOf(menu, 11), std::string(25, ' ') + " 2. LINE PRINTER (assume 20 cpi)");
  EXPECT_EQ(RowOf(menu, 13), std::string(25, ' ') + " 3. HP LASERJET PRINTER");
  EXPECT_EQ(RowOf(menu, 15), std::string(25, ' ') + " W. Windows Printer");
  EXPECT_EQ(RowOf(menu, 17), std::string(20, ' ') + "Your Choice : W     [ ] set as default");
  EXPECT_EQ(vars.Get("CUR_PTR").str(), "WINDOW_PRINTER");
  EXPECT_EQ(vars.Get("PTR_WIDTH").num(), 160);
  EXPECT_EQ(Saved(), std::nullopt);
  // The window is given back as it was.
  screen.Refresh();
  EXPECT_EQ(backend.Text(), std::string(term::kNeededRows, '\n'));
}

TEST_F(PrinterMenuTest, AnOptionMovesThePortAndTheHeaderUnderneathFollows) {
  // The screen the menu was called over by its hot key.
  screens::ScreenHeader underneath(screen);
  vars.Set("MSG", "(2) START CHECKING");
  underneath.Draw(vars);
  EXPECT_EQ(GridRow(3).substr(0, 21), "  (Windows \u7d30\u660e\u9ad4)");
  vars.Set("USER_KEY", Padded("VEZOTE", 15));
  PortReady("LPT3");
  When("Your Choice :", "3");
  Run();
  EXPECT_EQ(vars.Get("CUR_PTR").str(), "LASERJET");
  EXPECT_EQ(vars.Get("PRINT_NAME").str(), "LPT3");
  EXPECT_EQ(vars.Get("PRT_SERVER").str(), "Y");
  EXPECT_EQ(vars.Get("PTR_WIDTH").num(), 160);
  EXPECT_EQ(vars.Get("MSG").str(), "(2) START CHECKING");
  EXPECT_EQ(GridRow(3).substr(0, 8), "  LPT3! ");
  EXPECT_NE(GridRow(3).find("(2) START CHECKING"), std::string::npos);
}

TEST_F(PrinterMenuTest, APortThatIsNotReadyIsReplacedByAFileInTheAuditFolder) {
  vars.Set("USER_KEY", Padded("NUMOMO", 15));
  vars.Set("CUR_PTR", "LASERJET");
  vars.Set("PRINT_NAME", "LPT2");
  vars.Set("PORT_LPT1", (dir / "no-such-device").string());
  When("Your Choice :", "1");
  When("is NOT ready!", "\r");
  Run();
  EXPECT_TRUE(AllAnswered());
  const std::string name = vars.Get("PRINT_NAME").str();
  EXPECT_EQ(fs::path(name).parent_path(), dir / "SBAUDIT");
  EXPECT_EQ(fs::path(name).extension(), ".PRN");
  EXPECT_TRUE(fs::exists(name));
  EXPECT_EQ(vars.Get("CUR_PTR").str(), "EPSON");
}

TEST_F(PrinterMenuTest, TheSystemPrinterWithItsFontKeptAsTheDefault) {
  vars.Set("CUR_PTR", "EPSON");
  vars.Set("DEF_ATI_PTR", "office");
  // Tab to the check box, Space ticks it, Tab back; "W"; then font 2 and the two offsets.
  When("Your Choice : 1", "\t \tW");
  When("Please select print font", "2\r5\r3\r");
  Run();
  ASSERT_TRUE(AllAnswered());
  EXPECT_EQ(vars.Get("CUR_PTR").str(), "WINDOW_PRINTER");
  EXPECT_EQ(vars.Get("WinPtFont"), vars.Get("ChiFont2"));
  EXPECT_EQ(vars.Get("WinPtOfset").num(), 5);
  EXPECT_EQ(vars.Get("WinPrtOfst").num(), 3);
  const std::optional<VarStore> saved = Saved();
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->Get("DEF_CUR_PTR").str(), "WINDOW_PRINTER");
  EXPECT_EQ(saved->Get("WinPtFont"), vars.Get("ChiFont2"));
  EXPECT_FALSE(saved->Exists("SAVE_MSG"));

  const std::string& dialog = LastPicture();
  EXPECT_EQ(RowOf(dialog, 15), std::string(10, ' ') + "Print Font Option:-");
  EXPECT_EQ(RowOf(dialog, 16).substr(12, 4), "1=\xe7\xb4");  // the Ming face, shown in UTF-8
  EXPECT_EQ(RowOf(dialog, 17).substr(10), "Please select print font (1-4 ): 2");
  EXPECT_EQ(RowOf(dialog, 18).substr(10),
            "Offset in Landscape mode (0-10): 5    Portrait mode (0-10): 3");
  EXPECT_EQ(RowOf(dialog, 19).substr(10), "Selected Windows Pinter : office");
  EXPECT_EQ(RowOf(dialog, 20).substr(10), "Selected PDF Pinter     :");
}

TEST_F(PrinterMenuTest, ExtraFontsAndAnOffsetOutOfRange) {
  vars.Set("ChiFont11", "E11");
  vars.Set("ChiFont12", "E12");
  vars.Set("ChiFont13", "E13");
  vars.Set("ChiFont14", "");
  vars.Set("ChiFont15", "E15");
  vars.Set("WinPtFont", "E13");
  When("Your Choice : W", "\r");
  // 12 for the font; 11 is no offset: the bell, and 9 in its place.
  When("Please select print font (1-4 ): 13", "1211\b\b9\r\r");
  Run();
  ASSERT_TRUE(AllAnswered());
  EXPECT_EQ(vars.Get("WinPtFont").str(), "E12");
  EXPECT_EQ(vars.Get("WinPtOfset").num(), 9);
  EXPECT_EQ(backend.bells(), 1);
  EXPECT_EQ(Saved(), std::nullopt);  // not ticked
  const std::string& dialog = LastPicture();
  EXPECT_EQ(RowOf(dialog, 9), std::string(25, ' ') + " W. Windows Default Printer");
  EXPECT_EQ(RowOf(dialog, 11), std::string(10, ' ') + "Print Font Option:-");
  EXPECT_EQ(RowOf(dialog, 16), std::string(10, ' ') + "Additional Font Option:-");
  EXPECT_EQ(RowOf(dialog, 17),
            "  11=E11" + std::string(14, ' ') + "12=E12" + std::string(14, ' ') + "13=E13");
  EXPECT_EQ(RowOf(dialog, 18).substr(10, 23), "Selected Windows Pinter");
}

TEST_F(PrinterMenuTest, EscapeInTheFontDialogKeepsTheFontAndSavesNothing) {
  vars.Set("CUR_PTR", "EPSON");
  When("Your Choice : 1", "\t \tW");
  When("Please select print font", "3\x1b");
  Run();
  ASSERT_TRUE(AllAnswered());
  EXPECT_EQ(vars.Get("CUR_PTR").str(), "WINDOW_PRINTER");
  EXPECT_EQ(vars.Get("WinPtFont"), vars.Get("ChiFont1"));
  EXPECT_EQ(Saved(), std::nullopt);
}

}  // namespace
}  // namespace zur::print
