#include "xml/pmenu.h"

#include "xml/xml_file.h"

namespace zur::xml {
namespace {

constexpr std::string_view kFeature = "//pmenu/menuFeatures/menuFeature";
constexpr std::string_view kItem = "//pmenu/menuFeatures/menuFeature/menuItems/menuItem";

std::string Path(std::string_view base, std::string_view tail = {}) {
  return std::string(base) + std::string(tail);
}

}  // namespace

PMenu::PMenu() {
  xml_.OnEndElement(Path(kFeature, "/menuTitle"),
                    [this](const Element& e) { title_ = std::string(e.content); });
  RegisterEntryFields(Path(kItem), &PMenu::item_, true);
  RegisterEntryFields(Path(kItem, "/submenuItem"), &PMenu::sub1_, true);
  RegisterEntryFields(Path(kItem, "/submenuItem/submenuItem"), &PMenu::sub2_, false);
  xml_.OnEndElement(Path(kItem, "/submenuItem/submenuItem"), [this](const Element&) {
    sub1_.items.push_back(std::move(sub2_));
    sub2_ = {};
  });
  xml_.OnEndElement(Path(kItem, "/submenuItem"), [this](const Element&) {
    item_.items.push_back(std::move(sub1_));
    sub1_ = {};
  });
  xml_.OnEndElement(Path(kItem), [this](const Element&) {
    items_.push_back(std::move(item_));
    item_ = {};
    sub1_ = {};
    sub2_ = {};
  });
  xml_.OnEndElement(Path(kFeature), [this](const Element&) {
    reading_.push_back({title_, std::move(items_)});
    ClearAll();
  });
}

// The leaf elements of an entry at `path` store their text into its fields.
void PMenu::RegisterEntryFields(const std::string& path, MenuEntry PMenu::*entry,
                                bool with_submenu) {
  struct Field {
    std::string_view element;
    std::string MenuEntry::*field;
  };
  static constexpr Field kFields[] = {{"/menuItemTitle", &MenuEntry::caption},
                                      {"/menuPress", &MenuEntry::press},
                                      {"/menuPgm", &MenuEntry::program},
                                      {"/menuFlag", &MenuEntry::flag},
                                      {"/menuSubmenu", &MenuEntry::submenu}};
  for (const Field& f : kFields) {
    if (f.field == &MenuEntry::submenu && !with_submenu) continue;
    xml_.OnEndElement(path + std::string(f.element),
                      [this, entry, field = f.field](const Element& e) {
                        (this->*entry).*field = std::string(e.content);
                      });
  }
}

// Every entry field and list; the title stays.
void PMenu::ClearAll() {
  items_.clear();
  item_ = {};
  sub1_ = {};
  sub2_ = {};
}

std::string PMenu::Load(const std::string& file) {
  return LoadXmlFile(file, xml_, [this](std::string_view text) { LoadXml(text); });
}

bool PMenu::LoadXml(std::string_view text) {
  title_.clear();
  ClearAll();
  reading_.clear();
  const bool ok = xml_.ParseXml(text);
  features_ = std::move(reading_);
  reading_.clear();
  return ok;
}

const MenuFeature* PMenu::GetMenuFeat() const {
  for (const MenuFeature& f : features_) {
    if (!f.title.empty()) return &f;
  }
  return nullptr;
}

}  // namespace zur::xml
