#include "xml/xml_parser.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "xml/xml_names.h"

namespace zur::xml {
namespace {

// "S <path> k=v ..." for a start, "E <path> k=v ... [content]" for an end.
std::string Describe(char kind, const Element& e) {
  std::string out = std::string(1, kind) + " " + std::string(e.path);
  for (const auto& [name, value] : e.attributes) out += " " + name + "=" + value;
  if (kind == 'E') out += " [" + std::string(e.content) + "]";
  return out;
}

struct Case {
  const char* what;
  std::string document;
  std::vector<std::string> registered;  // each for starts and ends
  std::vector<std::string> events;
};

std::vector<std::string> Events(XmlParser& parser, const Case& c) {
  std::vector<std::string> events;
  for (const std::string& path : c.registered) {
    parser.OnStartElement(path, [&](const Element& e) { events.push_back(Describe('S', e)); });
    parser.OnEndElement(path, [&](const Element& e) { events.push_back(Describe('E', e)); });
  }
  EXPECT_TRUE(parser.ParseXml(c.document)) << c.what << ": " << parser.Error();
  return events;
}

using Events_ = std::vector<std::string>;

TEST(XmlParser, ReportsElementsAsTheFilesReadersExpect) {
  const Case cases[] = {
      {"own text only, parent's around the child",
       "<a><b>x</b>y</a>",
       {"/a", "/a/b"},
       Events_{"S /a", "S /a/b", "E /a/b [x]", "E /a [y]"}},
      {"two slashes match any ancestors",
       "<a><b/></a>",
       {"/b", "//b"},
       Events_{"S /a/b", "E /a/b []"}},
      {"two slashes match whole names only", "<xa><b/></xa>", {"//a/b"}, Events_{}},
      {"paths match in any letter case",
       "<aticonfig><userkey>K</userkey></aticonfig>",
       {"//ATIConfig/UserKey"},
       Events_{"S /aticonfig/userkey", "E /aticonfig/userkey [K]"}},
      {"namespace prefixes dropped", "<x:a p:k='1'/>", {"/a"}, Events_{"S /a k=1", "E /a k=1 []"}},
      {"entities passed on as written",
       "<a>&amp;&lt;</a>",
       {"/a"},
       Events_{"S /a", "E /a [&amp;&lt;]"}},
      {"comments and declaration give nothing",
       "<?xml version=\"1.0\"?><!-- <a>no</a> --><a>t<!-- <b>x</b> -->u</a>",
       {"/a", "//b"},
       Events_{"S /a", "E /a [tu]"}},
      {"a slash in text is text",
       "<t>3. Segregated A/C</t>",
       {"/t"},
       Events_{"S /t", "E /t [3. Segregated A/C]"}},
      {"any end tag closes the innermost element",
       "<a><b>x</c>y</q>",
       {"/a", "/a/b"},
       Events_{"S /a", "S /a/b", "E /a/b [x]", "E /a [y]"}},
      {"text outside the root is not reported",
       "lead\r\n<a>x</a>\r\ntrail",
       {"/a"},
       Events_{"S /a", "E /a [x]"}},
      {"blank before a self-closing slash", "<a />", {"/a"}, Events_{"S /a", "E /a []"}},
      {"line breaks and blanks of the text kept",
       "<a>\r\n\t v \r\n</a>",
       {"/a"},
       Events_{"S /a", "E /a [\r\n\t v \r\n]"}},
      {"'>' and the other quote inside a value",
       "<a k=\"1>'2\"/>",
       {"/a"},
       Events_{"S /a k=1>'2", "E /a k=1>'2 []"}},
      {"a comment also ends at '?>'", "<a>1<!-- x ?>2</a>", {"/a"}, Events_{"S /a", "E /a [12]"}},
      {"'<!-->' is a whole comment", "<a>1<!-->2</a>", {"/a"}, Events_{"S /a", "E /a [12]"}},
      {"attributes without a blank between run together",
       "<a x=\"1\"y=\"2\"/>",
       {"/a"},
       Events_{"S /a x=1 xy=12", "E /a x=1 xy=12 []"}},
      {"an unquoted value waits for a quote",
       "<a x=1 y=\"2\">t</a>",
       {"/a"},
       Events_{"S /a x=2", "E /a x=2 [t]"}},
      {"an attribute without a value is dropped",
       "<a b c='3'/>",
       {"/a"},
       Events_{"S /a c=3", "E /a c=3 []"}},
      {"an element without a name keeps its text",
       "<r>1<>x</>2</r>",
       {"/r"},
       Events_{"S /r", "E /r [12]"}},
      {"declarations in another case open an element",
       "<?XML?><a>x</a>",
       {"/a", "//a"},
       Events_{"S /?XML?/a", "E /?XML?/a [x]"}},
      {"a document type opens an element",
       "<!DOCTYPE p><a>x</a>",
       {"//a"},
       Events_{"S /!DOCTYPE/a", "E /!DOCTYPE/a [x]"}},
      {"the first matching registration is used",
       "<a><b/></a>",
       {"//b", "/a/b"},
       Events_{"S /a/b", "E /a/b []"}},
  };
  for (const Case& c : cases) {
    XmlParser parser;
    EXPECT_EQ(Events(parser, c), c.events) << c.what;
  }
}

TEST(XmlParser, NamespacesAndLetterCaseKeptWhenAsked) {
  XmlParser parser;
  parser.set_include_namespace(true);
  parser.set_case_sensitive(true);
  EXPECT_EQ(Events(parser, {"", "<x:a p:k='1'><B/></x:a>", {"/x:a", "/x:a/b"}, {}}),
            (Events_{"S /x:a p:k=1", "E /x:a p:k=1 []"}));
}

TEST(XmlParser, NamespaceHelpers) {
  EXPECT_EQ(RemoveNamespace("x:a"), "a");
  EXPECT_EQ(RemoveNamespace("a"), "a");
  EXPECT_EQ(RemoveNamespace("x:y:a"), "y:a");
  EXPECT_EQ(ReplaceNamespace("x:a", "p"), "p:a");
  EXPECT_EQ(ReplaceNamespace("a", "p"), "p:a");
}

TEST(XmlParser, AStrayEndTagStopsTheReading) {
  XmlParser parser;
  std::vector<std::string> ends;
  parser.OnEndElement("//a", [&](const Element& e) { ends.emplace_back(e.content); });
  EXPECT_FALSE(parser.ParseXml("<a>1</a></b><a>2</a>"));
  EXPECT_EQ(ends, std::vector<std::string>{"1"});
  EXPECT_FALSE(parser.Error().empty());
  EXPECT_EQ(parser.Position(), 12u);  // the '>' of "</b>"
  EXPECT_FALSE(parser.Complete());
  // The next reading starts afresh.
  EXPECT_TRUE(parser.ParseXml("<a>3</a>"));
  EXPECT_TRUE(parser.Complete());
  EXPECT_EQ(ends.back(), "3");
}

TEST(XmlParser, AFailingCallbackStopsTheReading) {
  XmlParser parser;
  std::vector<std::string> seen;
  parser.OnEndElement("//b", [](const Element&) { throw std::runtime_error("bad b"); });
  parser.OnStartElement("//c", [&](const Element& e) { seen.emplace_back(e.path); });
  EXPECT_FALSE(parser.ParseXml("<a><b/><c/></a>"));
  EXPECT_EQ(parser.Error(), "bad b");
  EXPECT_TRUE(seen.empty());
}

TEST(XmlParser, CutDocumentsAreNotComplete) {
  for (const char* text : {"<a><b>x", "<a>x<!-- y", "<a", "<a k='1", "<a/"}) {
    XmlParser parser;
    EXPECT_TRUE(parser.ParseXml(text)) << text;
    EXPECT_FALSE(parser.Complete()) << text;
  }
  XmlParser parser;
  EXPECT_TRUE(parser.ParseXml("<?xml?><a><b/>t</a>\r\n"));
  EXPECT_TRUE(parser.Complete());
}

TEST(XmlParser, CurrentPathDuringACallback) {
  XmlParser parser;
  std::vector<std::string> seen;
  parser.OnStartElement("//c", [&](const Element&) { seen.emplace_back(parser.CurrentPath()); });
  parser.OnEndElement("//b", [&](const Element&) { seen.emplace_back(parser.CurrentPath()); });
  ASSERT_TRUE(parser.ParseXml("<a><b><c/></b></a>"));
  EXPECT_EQ(seen, (std::vector<std::string>{"/a/b", "/a"}));
  EXPECT_EQ(parser.CurrentPath(), "");
}

TEST(XmlParser, DeepNestingIsReadInLinearTime) {
  constexpr int kDepth = 100000;
  std::string text;
  for (int i = 0; i < kDepth; ++i) text += "<a>";
  for (int i = 0; i < kDepth; ++i) text += "</a>";
  XmlParser parser;
  int ends = 0;
  parser.OnEndElement("//a/a", [&](const Element&) { ++ends; });
  ASSERT_TRUE(parser.ParseXml(text));
  EXPECT_EQ(ends, kDepth - 1);
  EXPECT_TRUE(parser.Complete());
}

}  // namespace
}  // namespace zur::xml
