#include "xml/xml_parser.h"

#include <stdexcept>

#include "xml/xml_names.h"

namespace zur::xml {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

void XmlParser::OnStartElement(std::string path, Block block) {
  start_blocks_.push_back({std::move(path), std::move(block)});
}

void XmlParser::OnEndElement(std::string path, Block block) {
  end_blocks_.push_back({std::move(path), std::move(block)});
}

const Block* XmlParser::Find(const std::vector<Registration>& list, std::string_view path) const {
  for (const Registration& r : list) {
    if (PathMatches(r.path, path, case_sensitive_)) return &r.block;
  }
  return nullptr;
}

const Block* XmlParser::FindStartBlock(std::string_view path) const {
  return Find(start_blocks_, path);
}

const Block* XmlParser::FindEndBlock(std::string_view path) const {
  return Find(end_blocks_, path);
}

void XmlParser::EvalStartBlock(std::string_view path, std::string_view name,
                               const Attributes& attributes) const {
  if (const Block* block = FindStartBlock(path)) (*block)(Element{path, name, attributes, {}});
}

void XmlParser::EvalEndBlock(std::string_view path, std::string_view name,
                             const Attributes& attributes, std::string_view content) const {
  if (const Block* block = FindEndBlock(path)) (*block)(Element{path, name, attributes, content});
}

bool XmlParser::ParseXml(std::string_view text) {
  state_ = State::kContent;
  open_.clear();
  name_.clear();
  content_.clear();
  attributes_.clear();
  started_ = false;
  attribute_name_.clear();
  attribute_value_.clear();
  quote_ = 0;
  path_.clear();
  path_length_ = 0;
  error_.clear();
  position_ = 0;
  try {
    for (size_t pos = 1; pos <= text.size(); ++pos) {
      position_ = pos;
      Step(text.substr(pos - 1));
      pos = position_;  // a marker may have been passed over
    }
  } catch (const std::exception& e) {
    error_ = *e.what() != '\0' ? e.what() : "a callback failed";
  } catch (...) {
    error_ = "a callback failed";
  }
  return error_.empty();
}

bool XmlParser::Complete() const {
  return error_.empty() && state_ == State::kContent && open_.empty();
}

// One character of the scan; `rest` is the text from it on.
void XmlParser::Step(std::string_view rest) {
  const char c = rest.front();
  switch (state_) {
    case State::kContent:
      if (rest.starts_with("</")) {
        state_ = State::kEndTag;
      } else if (rest.starts_with("<!--") || rest.starts_with("<?xml")) {
        state_ = State::kMarkup;
      } else if (c == '<') {
        OpenChild();
        state_ = State::kName;
      } else {
        content_ += c;
      }
      return;
    case State::kMarkup:
      for (std::string_view marker : {std::string_view("-->"), std::string_view("?>")}) {
        if (rest.starts_with(marker)) {
          state_ = State::kContent;
          position_ += marker.size() - 1;
          return;
        }
      }
      return;
    case State::kName:
    case State::kAttributes:
      if (IsBlank(c)) {
        attribute_name_.clear();
        attribute_value_.clear();
        state_ = State::kAttributes;
      } else if (c == '/' || c == '>') {
        if (!started_ && !name_.empty()) Start();
        state_ = c == '/' ? State::kEndTag : State::kContent;
      } else if (state_ == State::kName) {
        name_ += c;
      } else if (c == '=') {
        state_ = State::kBeforeValue;
      } else {
        attribute_name_ += c;
      }
      return;
    case State::kBeforeValue:
      if (c == '"' || c == '\'') {
        quote_ = c;
        state_ = State::kValue;
      }
      return;
    case State::kValue:
      if (c == quote_) {
        if (!include_namespace_) attribute_name_ = std::string(RemoveNamespace(attribute_name_));
        attributes_.emplace_back(attribute_name_, attribute_value_);
        state_ = State::kAttributes;
      } else {
        attribute_value_ += c;
      }
      return;
    case State::kEndTag:
      if (c == '>') {
        End();
        state_ = State::kContent;
      }
      return;
  }
}

// A "<": the element being read becomes an ancestor of a new, empty one.
void XmlParser::OpenChild() {
  path_.resize(path_length_);
  if (!open_.empty()) {
    path_ += '/';
    path_ += name_;
  }
  open_.push_back({std::move(name_), std::move(content_), std::move(attributes_), path_length_});
  path_length_ = path_.size();
  name_.clear();
  content_.clear();
  attributes_.clear();
  started_ = false;
}

void XmlParser::Start() {
  if (!include_namespace_) name_ = std::string(RemoveNamespace(name_));
  EvalStartBlock(ElementPath(), name_, attributes_);
  started_ = true;
}

// Closes the innermost open element: its end is reported, then its parent is read on.
void XmlParser::End() {
  if (open_.empty()) throw std::runtime_error("an end tag where no element is open");
  EvalEndBlock(ElementPath(), name_, attributes_, content_);
  Open& parent = open_.back();
  name_ = std::move(parent.name);
  content_ = std::move(parent.content);
  attributes_ = std::move(parent.attributes);
  path_length_ = parent.path_length;
  open_.pop_back();
}

std::string_view XmlParser::ElementPath() {
  path_.resize(path_length_);
  path_ += '/';
  path_ += name_;
  return path_;
}

}  // namespace zur::xml
