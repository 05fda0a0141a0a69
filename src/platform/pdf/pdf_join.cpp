#include "platform/pdf/pdf_join.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

namespace zur::pdf {
namespace {

// The joined document's own objects: its page tree and its catalog.
constexpr long kPageTree = 1;
constexpr long kCatalog = 2;

bool IsWhite(char c) {
  return c == '\0' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

bool IsDelimiter(char c) {
  switch (c) {
    case '(':
    case ')':
    case '<':
    case '>':
    case '[':
    case ']':
    case '{':
    case '}':
    case '/':
    case '%':
      return true;
    default:
      return false;
  }
}

enum class Token { kSpace, kString, kName, kDelimiter, kWord, kStream };

// Cuts the text of an object into tokens, blanks and comments included (as kSpace), and calls
// each(kind, text) for every one in order. The keyword "stream" and all that follows it (the
// stream's data, which is not PDF syntax) come as one last kStream token.
template <typename Each>
void Tokenize(std::string_view s, Each each) {
  size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    const char next = i + 1 < s.size() ? s[i + 1] : '\0';
    size_t j = i + 1;
    Token kind = Token::kDelimiter;
    if (IsWhite(c)) {
      while (j < s.size() && IsWhite(s[j])) ++j;
      kind = Token::kSpace;
    } else if (c == '%') {
      while (j < s.size() && s[j] != '\n' && s[j] != '\r') ++j;
      kind = Token::kSpace;
    } else if (c == '(') {
      for (int depth = 1; j < s.size() && depth > 0; ++j) {
        if (s[j] == '\\')
          ++j;
        else if (s[j] == '(')
          ++depth;
        else if (s[j] == ')')
          --depth;
      }
      kind = Token::kString;
    } else if ((c == '<' && next == '<') || (c == '>' && next == '>')) {
      j = i + 2;
    } else if (c == '<') {
      while (j < s.size() && s[j] != '>') ++j;
      ++j;
      kind = Token::kString;
    } else if (c == '/') {
      while (j < s.size() && !IsWhite(s[j]) && !IsDelimiter(s[j])) ++j;
      kind = Token::kName;
    } else if (!IsDelimiter(c)) {
      while (j < s.size() && !IsWhite(s[j]) && !IsDelimiter(s[j])) ++j;
      kind = Token::kWord;
      if (s.substr(i, j - i) == "stream") {
        j = s.size();
        kind = Token::kStream;
      }
    }
    j = std::min(j, s.size());
    each(kind, s.substr(i, j - i));
    i = j;
  }
}

bool ToNumber(std::string_view word, long& value) {
  if (word.empty() || word.size() > 12) return false;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  return ec == std::errc() && end == word.data() + word.size() && value >= 0;
}

// The tokens of an object's text that are not blanks, up to its stream data.
std::vector<std::pair<Token, std::string_view>> Words(std::string_view s) {
  std::vector<std::pair<Token, std::string_view>> words;
  Tokenize(s, [&](Token kind, std::string_view text) {
    if (kind != Token::kSpace && kind != Token::kStream) words.emplace_back(kind, text);
  });
  return words;
}

// The object `key` refers to ("/Key 12 0 R"); 0 when it refers to none.
long RefAfter(std::string_view s, std::string_view key) {
  const auto words = Words(s);
  for (size_t k = 0; k + 3 < words.size(); ++k) {
    long id = 0;
    long generation = 0;
    if (words[k].second == key && ToNumber(words[k + 1].second, id) &&
        ToNumber(words[k + 2].second, generation) && words[k + 3].second == "R")
      return id;
  }
  return 0;
}

// The number after `key` ("/Count 256"); -1 when there is none.
long NumberAfter(std::string_view s, std::string_view key) {
  const auto words = Words(s);
  long value = 0;
  for (size_t k = 0; k + 1 < words.size(); ++k)
    if (words[k].second == key && ToNumber(words[k + 1].second, value)) return value;
  return -1;
}

// Where each object of a part lies, from its cross-reference table.
struct PartMap {
  size_t header = 0;                               // bytes before the first object
  std::vector<std::pair<size_t, size_t>> objects;  // by number: [begin, end), empty if free
  std::vector<long> in_file_order;
  long catalog = 0;
  long info = 0;
  long pages = 0;  // the part's page tree
  long count = 0;  // its pages
  std::string_view Body(std::string_view pdf, long id) const {
    return pdf.substr(objects[id].first, objects[id].second - objects[id].first);
  }
};

// Skips "<number> 0 obj" at the start of an object; npos when it does not start so.
size_t AfterObjectHeader(std::string_view body, long id) {
  const std::string header = fmt::format("{} 0 obj", id);
  return body.substr(0, header.size()) == header ? header.size() : std::string_view::npos;
}

std::string ReadPart(std::string_view pdf, PartMap& map) {
  const size_t startxref = pdf.rfind("startxref");
  if (startxref == std::string_view::npos) return "no cross-reference table";
  size_t at = startxref + 9;
  while (at < pdf.size() && IsWhite(pdf[at])) ++at;
  size_t end = at;
  while (end < pdf.size() && !IsWhite(pdf[end])) ++end;
  long xref = 0;
  if (!ToNumber(pdf.substr(at, end - at), xref) || static_cast<size_t>(xref) >= startxref ||
      pdf.substr(xref, 4) != "xref")
    return "no cross-reference table";
  // "xref", then one section from object 0 ("0 <count>"), then 20 bytes an entry.
  at = static_cast<size_t>(xref) + 4;
  long numbers[2] = {-1, -1};
  for (long& number : numbers) {
    while (at < startxref && IsWhite(pdf[at])) ++at;
    end = at;
    while (end < startxref && !IsWhite(pdf[end])) ++end;
    if (!ToNumber(pdf.substr(at, end - at), number)) number = -1;
    at = end;
  }
  const long count = numbers[1];
  if (numbers[0] != 0 || count < 2) return "a cross-reference table of a kind not written here";
  while (at < startxref && IsWhite(pdf[at])) ++at;
  const size_t table_end = at + 20 * static_cast<size_t>(count);
  if (table_end > startxref) return "a cut cross-reference table";
  map.objects.assign(count, {0, 0});
  std::vector<std::pair<size_t, long>> starts;
  for (long id = 1; id < count; ++id) {
    const std::string_view entry = pdf.substr(at + 20 * id, 20);
    long offset = 0;
    if (entry[17] != 'n') continue;
    if (!ToNumber(entry.substr(0, 10), offset) || offset >= xref)
      return "a damaged cross-reference table";
    starts.emplace_back(offset, id);
  }
  const auto trailer = Words(pdf.substr(table_end, startxref - table_end));
  if (trailer.empty() || trailer[0].second != "trailer")
    return "more than one cross-reference section";
  std::sort(starts.begin(), starts.end());
  if (starts.empty()) return "no objects";
  map.header = starts.front().first;
  for (size_t k = 0; k < starts.size(); ++k) {
    const size_t begin = starts[k].first;
    const size_t stop = k + 1 < starts.size() ? starts[k + 1].first : static_cast<size_t>(xref);
    const long id = starts[k].second;
    map.objects[id] = {begin, stop};
    map.in_file_order.push_back(id);
    if (AfterObjectHeader(map.Body(pdf, id), id) == std::string_view::npos)
      return fmt::format("object {} is not where the table says", id);
  }
  const std::string_view trailer_text = pdf.substr(table_end, startxref - table_end);
  map.catalog = RefAfter(trailer_text, "/Root");
  map.info = RefAfter(trailer_text, "/Info");
  auto held = [&](long id) {
    return id > 0 && id < count && map.objects[id].second > map.objects[id].first;
  };
  if (!held(map.catalog) || (map.info != 0 && !held(map.info))) return "no catalog";
  const std::string_view catalog = map.Body(pdf, map.catalog);
  for (const auto& [kind, text] : Words(catalog.substr(AfterObjectHeader(catalog, map.catalog))))
    if (kind == Token::kName && text != "/Type" && text != "/Catalog" && text != "/Pages")
      return fmt::format("a catalog with {}", text);
  map.pages = RefAfter(catalog, "/Pages");
  if (!held(map.pages) || map.pages == map.catalog) return "no page tree";
  map.count = NumberAfter(map.Body(pdf, map.pages), "/Count");
  if (map.count < 0) return "a page tree without its count";
  return {};
}

// Appends `body` to `out` with each reference "<n> 0 R" renumbered by `numbers`; after the
// first "<<" when `parent` (a part's page tree) it adds the reference to the joined tree.
std::string CopyRenumbered(std::string_view body, const std::vector<long>& numbers, bool parent,
                           std::string& out) {
  std::string error;
  // The last two words in a row (blanks between them), where they stand in `out`.
  struct Word {
    size_t at = 0;
    size_t size = 0;
    long number = -1;
  };
  Word words[2];
  int in_row = 0;
  Tokenize(body, [&](Token kind, std::string_view text) {
    if (kind == Token::kSpace) {
      out.append(text);
      return;
    }
    if (kind == Token::kWord && text == "R" && in_row >= 2 && words[0].number >= 0 &&
        words[1].number == 0) {
      const long old = words[0].number;
      const long now = old < static_cast<long>(numbers.size()) ? numbers[old] : 0;
      if (now == 0 && error.empty()) error = fmt::format("a reference to object {}", old);
      out.replace(words[0].at, words[0].size, std::to_string(now));
      out.append(text);
      in_row = 0;
      return;
    }
    if (kind == Token::kWord) {
      words[0] = words[1];
      words[1] = {out.size(), text.size(), -1};
      ToNumber(text, words[1].number);
      ++in_row;
    } else {
      in_row = 0;
    }
    out.append(text);
    if (parent && text == "<<") {
      fmt::format_to(std::back_inserter(out), " /Parent {} 0 R", kPageTree);
      parent = false;
    }
  });
  return error;
}

}  // namespace

bool PdfJoiner::Add(std::string_view part, std::string& out) {
  PartMap map;
  if (std::string why = ReadPart(part, map); !why.empty()) {
    error_ = "cannot join the parts of the PDF: " + why;
    return false;
  }
  const size_t start = out.size();
  const size_t known = offsets_.size();
  const bool first = kids_.empty();
  if (first) out.append(part.substr(0, map.header));
  // Every object but the catalog (and the document information of later parts), in order.
  std::vector<long> numbers(map.objects.size(), 0);
  long next = static_cast<long>(offsets_.size());
  for (long id = 1; id < static_cast<long>(map.objects.size()); ++id) {
    const bool held = map.objects[id].second > map.objects[id].first;
    if (held && id != map.catalog && (first || id != map.info)) numbers[id] = next++;
  }
  offsets_.resize(next);
  for (long id : map.in_file_order) {
    if (numbers[id] == 0) continue;
    offsets_[numbers[id]] = written_ + (out.size() - start);
    const std::string_view body = map.Body(part, id);
    fmt::format_to(std::back_inserter(out), "{} 0 obj", numbers[id]);
    std::string why =
        CopyRenumbered(body.substr(AfterObjectHeader(body, id)), numbers, id == map.pages, out);
    if (!why.empty()) {
      out.resize(start);
      offsets_.resize(known);
      error_ = "cannot join the parts of the PDF: " + why;
      return false;
    }
  }
  if (first) info_ = numbers[map.info];
  kids_.push_back(numbers[map.pages]);
  pages_ += map.count;
  written_ += out.size() - start;
  return true;
}

void PdfJoiner::Finish(std::string& out) {
  const size_t start = out.size();
  offsets_[kPageTree] = written_;
  fmt::format_to(std::back_inserter(out), "{} 0 obj\n<< /Type /Pages\n   /Kids [", kPageTree);
  for (long kid : kids_) fmt::format_to(std::back_inserter(out), " {} 0 R", kid);
  fmt::format_to(std::back_inserter(out), " ]\n   /Count {}\n>>\nendobj\n", pages_);
  offsets_[kCatalog] = written_ + (out.size() - start);
  fmt::format_to(std::back_inserter(out),
                 "{} 0 obj\n<< /Type /Catalog\n   /Pages {} 0 R\n>>\nendobj\n", kCatalog,
                 kPageTree);
  const size_t xref = written_ + (out.size() - start);
  fmt::format_to(std::back_inserter(out), "xref\n0 {}\n0000000000 65535 f \n", offsets_.size());
  for (size_t id = 1; id < offsets_.size(); ++id)
    fmt::format_to(std::back_inserter(out), "{:010d} 00000 n \n", offsets_[id]);
  fmt::format_to(std::back_inserter(out), "trailer\n<< /Size {}\n   /Root {} 0 R\n",
                 offsets_.size(), kCatalog);
  if (info_ != 0) fmt::format_to(std::back_inserter(out), "   /Info {} 0 R\n", info_);
  fmt::format_to(std::back_inserter(out), ">>\nstartxref\n{}\n%%EOF\n", xref);
  written_ += out.size() - start;
}

}  // namespace zur::pdf
