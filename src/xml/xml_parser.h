#pragma once
// The reader of the program's small XML files ("ATIConfig.dat", "pmenu.dat"). It builds no
// tree: callbacks registered for element paths are called when an element starts and when it
// ends, and only the stack of open elements is kept. It reads elements, attributes in single
// or double quotes, character content, comments and the XML declaration; it decodes no
// entities and does not check that an end tag names the element it closes.
//
// Behaviour the files' readers rely on:
// - an end callback gets the element's own text only, exactly as written (blanks, line breaks,
//   entity references), without the text of its children; a parent's text continues after
//   each child;
// - a self-closing element gets its start and its end, the end with empty content;
// - any end tag closes the innermost open element;
// - text outside the root element is never reported.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zur::xml {

// An element's attributes: {name, value} pairs in document order.
using Attribute = std::pair<std::string, std::string>;
using Attributes = std::vector<Attribute>;

// What a callback is told about an element. `content` is empty for a start.
struct Element {
  std::string_view path;  // "/" + the names of its ancestors and itself, joined by "/"
  std::string_view name;
  const Attributes& attributes;
  std::string_view content;
};

// A callback may throw: the parse then stops and fails with the exception's message.
using Block = std::function<void(const Element&)>;

class XmlParser {
 public:
  XmlParser() = default;
  XmlParser(const XmlParser&) = delete;
  XmlParser& operator=(const XmlParser&) = delete;

  // When off (the default), a namespace prefix ("x:") is dropped from element and attribute
  // names.
  void set_include_namespace(bool on) { include_namespace_ = on; }
  // When off (the default), registered paths match element paths in any letter case.
  void set_case_sensitive(bool on) { case_sensitive_ = on; }

  // Registrations keep their order; for a path matched by several, the first is used. Paths
  // follow PathMatches (xml_names.h).
  void OnStartElement(std::string path, Block block);
  void OnEndElement(std::string path, Block block);
  const Block* FindStartBlock(std::string_view path) const;
  const Block* FindEndBlock(std::string_view path) const;
  void EvalStartBlock(std::string_view path, std::string_view name,
                      const Attributes& attributes) const;
  void EvalEndBlock(std::string_view path, std::string_view name, const Attributes& attributes,
                    std::string_view content) const;

  // Scans the document and calls the callbacks. False when the scan stopped on an error: an
  // end tag with no element open, or a callback that threw (see Error, Position).
  bool ParseXml(std::string_view text);

  // The path of the innermost open element ("" when none is open).
  std::string_view CurrentPath() const { return std::string_view(path_).substr(0, path_length_); }
  // The 1-based position of the character scanned last.
  size_t Position() const { return position_; }
  // Why the last parse stopped; empty when it read the whole text.
  const std::string& Error() const { return error_; }
  // The last parse ended outside any tag, comment or element: a document that was cut short
  // (or holds constructs this reader does not know) leaves something open.
  bool Complete() const;

 private:
  enum class State { kContent, kName, kEndTag, kAttributes, kBeforeValue, kValue, kMarkup };

  // An open ancestor of the element being read.
  struct Open {
    std::string name;
    std::string content;
    Attributes attributes;
    size_t path_length;  // of path_ before this element's name was added
  };

  struct Registration {
    std::string path;
    Block block;
  };

  const Block* Find(const std::vector<Registration>& list, std::string_view path) const;
  void Step(std::string_view rest);
  void OpenChild();
  void Start();
  void End();
  // The path of the element being read; valid until the next change of the stack.
  std::string_view ElementPath();

  bool include_namespace_ = false;
  bool case_sensitive_ = false;
  std::vector<Registration> start_blocks_;
  std::vector<Registration> end_blocks_;

  // The scan.
  State state_ = State::kContent;
  size_t position_ = 0;
  size_t skip_ = 0;  // characters of a marker still to pass over
  std::vector<Open> open_;
  std::string name_;
  std::string content_;
  Attributes attributes_;
  bool started_ = false;
  std::string attribute_name_;
  std::string attribute_value_;
  char quote_ = 0;
  // The names of open_ from the second on, each after a "/"; path_length_ of it is the
  // current path, the rest is scratch for the element being reported.
  std::string path_;
  size_t path_length_ = 0;
  std::string error_;
};

}  // namespace zur::xml
