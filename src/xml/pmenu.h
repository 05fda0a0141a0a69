#pragma once
// The reader of "pmenu.dat", the definition of the main window's menu bar:
//
//   <pmenu><menuFeatures>
//     <menuFeature>
//       <menuTitle>1. Setup</menuTitle>
//       <menuItems>
//         <menuItem>
//           <menuItemTitle>..</menuItemTitle> <menuPress>..</menuPress>
//           <menuPgm>..</menuPgm> <menuFlag>..</menuFlag> <menuSubmenu>Y</menuSubmenu>
//           <submenuItem> the same five, and <submenuItem> entries of a second level
//             (title, press, program, flag) </submenuItem>
//         </menuItem>
//       </menuItems>
//     </menuFeature>
//   </menuFeatures></pmenu>
//
// Values are collected when their elements end, and the grouping elements append what was
// collected when they end. A menu without menuTitle takes the previous menu's title, as the
// title is not cleared between menus. Element names match in any letter case.

#include <string>
#include <string_view>
#include <vector>

#include "xml/menu_definition.h"
#include "xml/xml_parser.h"

namespace zur::xml {

class PMenu {
 public:
  PMenu();
  PMenu(const PMenu&) = delete;
  PMenu& operator=(const PMenu&) = delete;

  // Reads the file and loads its text. Returns "" when it was read whole, else a message
  // naming the file (the menus read before the trouble are kept).
  std::string Load(const std::string& file);
  // Replaces the menus with those of `text`; false when the reading stopped early.
  bool LoadXml(std::string_view text);

  const std::vector<MenuFeature>& menu_features() const { return features_; }
  // The first menu with a title, or null.
  const MenuFeature* GetMenuFeat() const;

 private:
  void RegisterEntryFields(const std::string& path, MenuEntry PMenu::*entry, bool with_submenu);
  void ClearAll();

  XmlParser xml_;
  std::vector<MenuFeature> features_;
  // While a text is read: the menu's title and entries, the entry, its submenu entry and the
  // second-level entry being read (each with the list of its own entries).
  std::string title_;
  std::vector<MenuEntry> items_;
  MenuEntry item_;
  MenuEntry sub1_;
  MenuEntry sub2_;
  std::vector<MenuFeature> reading_;
};

}  // namespace zur::xml
