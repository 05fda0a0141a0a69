#pragma once
// "ATIConfig.dat": named settings of the installation in a small XML file.
//
//   <ATIConfig>
//     <UserKey>site</UserKey>
//     <Settings>
//       <Setting><Name>PRINT_NAME</Name><Value>LPT2</Value></Setting>
//       <Setting><Name>PORT_LPT2</Name><Value>/dev/usb/lp0</Value></Setting>
//     </Settings>
//   </ATIConfig>
//
// Element names match in any letter case; setting names compare exactly (case and blanks
// count) and the first of a name wins. Values are the elements' text exactly as written. A
// setting without Name or Value takes the previous setting's, as they are not cleared
// between settings. The object lives in the memory variable oConfig for the program's life.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/vars/value.h"
#include "platform/vars/var_store.h"
#include "xml/xml_parser.h"

namespace zur::xml {

inline constexpr std::string_view kConfigFileName = "ATIConfig.dat";
// The memory variable that holds the loaded file (an object: never saved to "ZUR.XBS").
inline constexpr std::string_view kConfigVariable = "oConfig";

// {name, value}
using Setting = std::pair<std::string, std::string>;

class AtiConfig : public Object {
 public:
  AtiConfig();
  AtiConfig(const AtiConfig&) = delete;
  AtiConfig& operator=(const AtiConfig&) = delete;

  // Reads the file and loads its text. Returns "" when it was read whole, else a message
  // naming the file (what could be read is kept; an unreadable file leaves no setting).
  std::string Load(const std::string& file);
  // Replaces the settings and the user key with those of `text`; false when the reading
  // stopped early.
  bool LoadXml(std::string_view text);

  bool IsSettingInstalled(std::string_view name) const;
  // The first setting of that name, or null.
  const Setting* GetSetting(std::string_view name) const;
  std::string GetSettingValue(std::string_view name, std::string_view fallback) const;

  const std::string& user_key() const { return user_key_; }
  const std::vector<Setting>& settings() const { return settings_; }

 private:
  XmlParser xml_;
  std::string user_key_;
  std::vector<Setting> settings_;
  // While a text is read.
  std::string reading_key_;
  std::string reading_name_;
  std::string reading_value_;
  std::vector<Setting> reading_settings_;
};

// The configuration in oConfig; null when the installation has no "ATIConfig.dat".
const AtiConfig* ConfigOf(const VarStore& vars);

}  // namespace zur::xml
