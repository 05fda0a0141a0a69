// Arbitrary bytes as an XML document: read by the bare reader with registrations of both kinds
// and in both letter-case modes, then as "ATIConfig.dat" and as "pmenu.dat". Nothing may
// crash, hang or leak, and every element reported has a path that ends with its name.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "xml/ati_config.h"
#include "xml/pmenu.h"
#include "xml/xml_parser.h"

namespace {

void CheckElement(const zur::xml::Element& e) {
  if (!e.path.starts_with("/") || !e.path.ends_with(e.name)) std::abort();
  if (e.path.size() > e.name.size() && e.path[e.path.size() - e.name.size() - 1] != '/')
    std::abort();
}

void ReadBare(std::string_view text, bool options) {
  zur::xml::XmlParser parser;
  parser.set_include_namespace(options);
  parser.set_case_sensitive(options);
  for (const char* path : {"//a", "/a/b", "//b/c", "//"}) {
    parser.OnStartElement(path, CheckElement);
    parser.OnEndElement(path, CheckElement);
  }
  const bool ok = parser.ParseXml(text);
  if (parser.Complete() && !ok) std::abort();
  if (parser.Position() > text.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ReadBare(text, false);
  ReadBare(text, true);
  zur::xml::AtiConfig config;
  config.LoadXml(text);
  (void)config.GetSettingValue("PRINT_NAME", "LPT1");
  zur::xml::PMenu menu;
  menu.LoadXml(text);
  (void)menu.GetMenuFeat();
  return 0;
}
