#include "xml/ati_config.h"

#include "xml/xml_file.h"

namespace zur::xml {

AtiConfig::AtiConfig() {
  xml_.OnEndElement("//ATIConfig/UserKey",
                    [this](const Element& e) { reading_key_ = std::string(e.content); });
  xml_.OnEndElement("//ATIConfig/Settings/Setting/Name",
                    [this](const Element& e) { reading_name_ = std::string(e.content); });
  xml_.OnEndElement("//ATIConfig/Settings/Setting/Value",
                    [this](const Element& e) { reading_value_ = std::string(e.content); });
  xml_.OnEndElement("//ATIConfig/Settings/Setting", [this](const Element&) {
    reading_settings_.emplace_back(reading_name_, reading_value_);
  });
}

std::string AtiConfig::Load(const std::string& file) {
  return LoadXmlFile(file, xml_, [this](std::string_view text) { LoadXml(text); });
}

bool AtiConfig::LoadXml(std::string_view text) {
  reading_key_.clear();
  reading_name_.clear();
  reading_value_.clear();
  reading_settings_.clear();
  const bool ok = xml_.ParseXml(text);
  user_key_ = std::move(reading_key_);
  settings_ = std::move(reading_settings_);
  return ok;
}

bool AtiConfig::IsSettingInstalled(std::string_view name) const {
  return GetSetting(name) != nullptr;
}

const Setting* AtiConfig::GetSetting(std::string_view name) const {
  for (const Setting& s : settings_) {
    if (s.first == name) return &s;
  }
  return nullptr;
}

std::string AtiConfig::GetSettingValue(std::string_view name, std::string_view fallback) const {
  const Setting* s = GetSetting(name);
  return s != nullptr ? s->second : std::string(fallback);
}

const AtiConfig* ConfigOf(const VarStore& vars) {
  const Value* v = vars.Find(kConfigVariable);
  return v != nullptr && v->IsObject() ? dynamic_cast<const AtiConfig*>(v->object().get())
                                       : nullptr;
}

}  // namespace zur::xml
