#include "xml/menu_file.h"

#include <filesystem>
#include <system_error>

#include "platform/vars/file_io.h"
#include "xml/pmenu.h"

namespace zur::xml {
namespace {

struct Line {
  int tabs;
  std::string_view text;
};

// The default menus; the line "<GrantDate>" takes the date.
constexpr Line kDefaultMenu[] = {
    {0, "<pmenu>"},
    {1, "<GrantDate>"},
    {1, "<menuFeatures>"},
    {2, "<menuFeature>"},
    {3, "<menuTitle>1. Setup</menuTitle>"},
    {3, "<menuItems>"},
    {4, "<menuItem>"},
    {5, "<menuItemTitle>1. SYSTEM SETUP</menuItemTitle>"},
    {5, "<menuPress>1</menuPress>"},
    {5, "<menuPgm></menuPgm>"},
    {5, "<menuFlag></menuFlag>"},
    {4, "</menuItem>"},
    {4, "<menuItem>"},
    {5, "<menuItemTitle>SEPARATOR</menuItemTitle>"},
    {4, "</menuItem>"},
    {4, "<menuItem>"},
    {5, "<menuItemTitle>2. Exit</menuItemTitle>"},
    {5, "<menuPress></menuPress>"},
    {5, "<menuPgm>AppQuit</menuPgm>"},
    {4, "</menuItem>"},
    {3, "</menuItems>"},
    {2, "</menuFeature>"},
    {2, "<menuFeature>"},
    {3, "<menuTitle>2. Checking</menuTitle>"},
    {3, "<menuItems>"},
    {4, "<menuItem>"},
    {5, "<menuItemTitle>1. START CHECKING</menuItemTitle>"},
    {5, "<menuPress>2</menuPress>"},
    {4, "</menuItem>"},
    {3, "</menuItems>"},
    {2, "</menuFeature>"},
    {2, "<menuFeature>"},
    {3, "<menuTitle>3. Segregated A/C</menuTitle>"},
    {3, "<menuItems>"},
    {4, "<menuItem>"},
    {5, "<menuItemTitle>1. SETUP SEGREGATED A/C</menuItemTitle>"},
    {5, "<menuPress>3</menuPress>"},
    {4, "</menuItem>"},
    {3, "</menuItems>"},
    {2, "</menuFeature>"},
    {2, "<menuFeature>"},
    {3, "<menuTitle>S. Select Printer</menuTitle>"},
    {3, "<menuItems>"},
    {4, "<menuItem>"},
    {5, "<menuItemTitle>1. Select Printer</menuItemTitle>"},
    {5, "<menuPress>S</menuPress>"},
    {4, "</menuItem>"},
    {4, "<menuItem>"},
    {5, "<menuItemTitle>2. Select Windows Printer</menuItemTitle>"},
    {5, "<menuPress></menuPress>"},
    {5, "<menuPgm>SeleWinPrinter</menuPgm>"},
    {4, "</menuItem>"},
    {4, "<menuItem>"},
    {5, "<menuItemTitle>3. Select PDF Printer</menuItemTitle>"},
    {5, "<menuPress></menuPress>"},
    {5, "<menuPgm>SeleWinPrinter PDF</menuPgm>"},
    {4, "</menuItem>"},
    {3, "</menuItems>"},
    {2, "</menuFeature>"},
    {1, "</menuFeatures>"},
    {0, "</pmenu>"},
};

}  // namespace

std::string DefaultMenuFile(const Date& grant) {
  std::string out;
  for (const Line& line : kDefaultMenu) {
    out.append(static_cast<size_t>(line.tabs), '\t');
    out += line.text;
    if (line.text == "<GrantDate>") out += grant.Dtos() + "</GrantDate>";
    out += "\r\n";
  }
  return out;
}

MenuFile ReadMenuFile(const std::string& file, const Date& today) {
  MenuFile result;
  PMenu menu;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) {
    const std::string text = DefaultMenuFile(today);
    result.warning = WriteFileAtomically(file, text);
    result.created = result.warning.empty();
    if (!result.created) {
      result.warning += "; the default menus are used";
      menu.LoadXml(text);
      result.features = menu.menu_features();
      return result;
    }
  }
  result.warning = menu.Load(file);
  result.features = menu.menu_features();
  return result;
}

}  // namespace zur::xml
