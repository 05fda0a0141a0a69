#include "xml/xml_file.h"

#include "platform/vars/file_io.h"

namespace zur::xml {

std::string LoadXmlFile(const std::string& file, const XmlParser& parser,
                        const std::function<void(std::string_view text)>& load_xml) {
  const FileBytes read = ReadFileBytes(file, kMaxXmlFileBytes);
  load_xml(read.ok() ? std::string_view(read.bytes) : std::string_view());
  if (!read.ok()) return read.error;
  if (!parser.Error().empty()) {
    return file + ": " + parser.Error() + " at character " + std::to_string(parser.Position()) +
           "; only what comes before it is read";
  }
  if (!parser.Complete()) {
    return file +
           ": the text ends inside an element, a tag or a comment; only complete "
           "elements are read";
  }
  return "";
}

}  // namespace zur::xml
