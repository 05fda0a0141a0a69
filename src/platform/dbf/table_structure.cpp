// Creating tables, structure-extended tables, and copying records between tables by name.
#include <fcntl.h>
#include <unistd.h>

#include <cstring>

#include <fmt/format.h>

#include "platform/dbf/file_locks.h"
#include "platform/dbf/file_util.h"
#include "platform/dbf/table_impl.h"
#include "platform/vars/file_io.h"
#include "platform/vars/whole_number.h"

namespace zur::dbf {
namespace {

constexpr size_t kMemoBlock = 512;

const std::vector<FieldSpec>& StructureExtendedFields() {
  static const std::vector<FieldSpec> fields = {{"FIELD_NAME", 'C', 10, 0},
                                                {"FIELD_TYPE", 'C', 1, 0},
                                                {"FIELD_LEN", 'N', 3, 0},
                                                {"FIELD_DEC", 'N', 3, 0}};
  return fields;
}

// Writes a complete table with the given records (each h.record_length bytes, concatenated).
void WriteNewTable(const std::filesystem::path& path, const std::vector<FieldSpec>& fields,
                   const std::vector<Value>& values_by_record_then_field) {
  const std::string file = path.string();
  ValidateFields(fields, file);
  if (Table::InUse(path))
    throw Error(ErrorKind::kInUse, fmt::format("{}: in use by another, not replaced", file));
  Header h = NewHeader(fields);
  const size_t nf = fields.size();
  h.record_count = static_cast<uint32_t>(values_by_record_then_field.size() / nf);
  std::vector<uint8_t> bytes = EncodeHeader(h);
  for (uint32_t r = 0; r < h.record_count; ++r) {
    std::string rec(h.record_length, ' ');
    for (size_t i = 0; i < nf; ++i)
      EncodeField(h.fields[i], values_by_record_then_field[r * nf + i], rec.data() + h.offsets[i],
                  file);
    bytes.insert(bytes.end(), rec.begin(), rec.end());
  }
  bytes.push_back(kEofByte);
  WriteFileAtomically(path, bytes);
  if (h.version == kVersionWithMemo) {
    std::filesystem::path memo = path;
    const std::string ext = path.extension().string();
    const bool lower = !ext.empty() && std::islower(static_cast<unsigned char>(ext.back()));
    memo.replace_extension(lower ? ".dbt" : ".DBT");
    std::vector<uint8_t> block(kMemoBlock, 0);
    block[0] = 1;  // the next free block
    WriteFileAtomically(memo, block);
  }
}

std::string Trimmed(const Value& v) {
  std::string s = v.IsChar() ? v.str() : std::string();
  size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

}  // namespace

void Table::Create(const std::filesystem::path& path, const std::vector<FieldSpec>& fields) {
  WriteNewTable(path, fields, {});
}

bool Table::InUse(const std::filesystem::path& requested) {
  std::filesystem::path path = ResolveCaseInsensitive(requested);
  int fd = OpenRegularFile(path.string(), O_RDONLY);  // never waits on a FIFO
  if (fd < 0) return false;
  bool used = false;
  try {
    used = ByteLockedByOther(fd, kOpenLockOffset, LockMode::kWrite);
  } catch (...) {
  }
  ::close(fd);
  return used;
}

std::vector<FieldSpec> Table::StructureFromRows(Table& rows) {
  const int name = rows.FieldIndex("FIELD_NAME"), type = rows.FieldIndex("FIELD_TYPE"),
            len = rows.FieldIndex("FIELD_LEN"), dec = rows.FieldIndex("FIELD_DEC");
  if (name < 0 || type < 0 || len < 0 || dec < 0)
    throw Error(ErrorKind::kUsage,
                fmt::format("{}: not a structure-extended table", rows.impl_->file));
  Impl& m = *rows.impl_;
  m.WriteCurrent();
  std::vector<FieldSpec> out;
  for (uint32_t r = 1; r <= m.hdr.record_count; ++r) {
    const char* rec = m.CachedRecord(r);
    if (rec[0] == '*') continue;
    auto field = [&](int i) {
      return DecodeField(
          m.hdr.fields[i],
          std::string_view(rec + m.hdr.offsets[i], static_cast<size_t>(m.hdr.fields[i].length)));
    };
    FieldSpec f;
    f.name = Trimmed(field(name));
    for (char& c : f.name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::string t = Trimmed(field(type));
    f.type = t.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(t[0])));
    // Create checks the list; a width no field can have is left for it to refuse.
    Value l = field(len), d = field(dec);
    f.length = l.IsNum() ? IntegerIn(l.num(), -1, 100'000).value_or(-1) : 0;
    f.decimals = d.IsNum() ? IntegerIn(d.num(), -1, 100'000).value_or(-1) : 0;
    out.push_back(std::move(f));
  }
  return out;
}

void Table::CopyStructureExtended(const std::filesystem::path& path) const {
  std::vector<Value> values;
  for (const FieldSpec& f : impl_->hdr.fields) {
    values.emplace_back(f.name);
    values.emplace_back(std::string(1, f.type));
    values.emplace_back(f.length);
    values.emplace_back(f.decimals);
  }
  WriteNewTable(path, StructureExtendedFields(), values);
}

uint64_t Table::AppendFrom(Table& source, const Progress& progress) {
  Impl& m = *impl_;
  Impl& s = *source.impl_;
  m.RequireWritable("append");
  s.WriteCurrent();
  struct Copy {
    int to, from;
  };
  std::vector<Copy> copies;
  for (size_t i = 0; i < m.hdr.fields.size(); ++i) {
    int j = source.FieldIndex(m.hdr.fields[i].name);
    if (j >= 0 && s.hdr.fields[j].type == m.hdr.fields[i].type)
      copies.push_back({static_cast<int>(i), j});
  }
  const uint32_t n = s.hdr.record_count;
  const uint32_t step = std::max<uint32_t>(1, n / 100);
  std::string rec;
  for (uint32_t r = 1; r <= n; ++r) {
    const char* src = s.CachedRecord(r);
    rec = m.blank;
    rec[0] = src[0] == '*' ? '*' : ' ';
    for (const Copy& c : copies) {
      const FieldSpec& to = m.hdr.fields[c.to];
      const FieldSpec& from = s.hdr.fields[c.from];
      const char* in = src + s.hdr.offsets[c.from];
      char* out = rec.data() + m.hdr.offsets[c.to];
      if (to.type == 'N' && (to.length != from.length || to.decimals != from.decimals)) {
        EncodeField(to, Value(DecodeNumber(std::string_view(in, static_cast<size_t>(from.length)))),
                    out, m.file);
      } else {
        // Same width, or a character field cut or blank-padded to the new width.
        const size_t k = static_cast<size_t>(std::min(to.length, from.length));
        std::memcpy(out, in, k);
      }
    }
    Append();
    m.Change("append", Impl::kAnyPart, 0, rec);
    if (m.share == Share::kShared) Unlock(m.recno);  // copied records are not kept locked
    if (progress && r % step == 0) progress(r, n);
  }
  m.WriteCurrent();
  if (progress) progress(n, n);
  return n;
}

}  // namespace zur::dbf
