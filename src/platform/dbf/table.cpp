// Opening a table, the record pointer, reading and writing records, locks.
#include "platform/dbf/table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fmt/format.h>

#include "platform/dbf/file_locks.h"
#include "platform/dbf/file_util.h"
#include "platform/dbf/table_impl.h"
#include "platform/vars/file_io.h"

namespace zur::dbf {
namespace {

constexpr size_t kScanWindowBytes = 1 << 20;   // sequential reads
constexpr size_t kRandomWindowBytes = 4096;    // reads in key order or by record number
constexpr uint64_t kResidentBytes = 64 << 20;  // exclusive tables kept whole in memory

uint64_t FileSize(int fd, const std::string& file) {
  struct stat st {};
  if (fstat(fd, &st) != 0)
    throw Error(ErrorKind::kIo,
                fmt::format("{}: cannot read its size: {}", file, std::strerror(errno)));
  return static_cast<uint64_t>(st.st_size);
}

std::string UpperStem(const std::filesystem::path& p) {
  std::string s = p.stem().string();
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

// ---------------------------------------------------------------- Impl: records

const char* Table::Impl::CachedRecord(uint32_t r) {
  const size_t len = hdr.record_length;
  if (win_count > 0 && r >= win_first && r < win_first + win_count)
    return window.data() + size_t{r - win_first} * len;
  if (resident) throw Error(ErrorKind::kUsage, fmt::format("{}: there is no record {}", file, r));
  const uint32_t big = static_cast<uint32_t>(std::max<size_t>(1, kScanWindowBytes / len));
  const uint32_t small = static_cast<uint32_t>(std::max<size_t>(1, kRandomWindowBytes / len));
  uint32_t first, n;
  if (win_count > 0 && r == win_first + win_count) {
    first = r, n = big;
  } else if (win_count > 0 && r + 1 == win_first) {
    first = r >= big ? r - big + 1 : 1, n = big;
  } else {
    first = r - (r - 1) % small, n = small;
  }
  n = std::min(n, hdr.record_count - first + 1);
  window.resize(size_t{n} * len);
  size_t got =
      ReadAt(fd, window.data(), window.size(), hdr.header_length + uint64_t{first - 1} * len, file);
  if (got != window.size()) {
    win_count = 0;
    throw Error(ErrorKind::kDamaged,
                fmt::format("{}: record {} lies beyond the end of the file", file, r));
  }
  win_first = first;
  win_count = n;
  return window.data() + size_t{r - first} * len;
}

void Table::Impl::Load(uint32_t r) {
  cur.assign(CachedRecord(r), hdr.record_length);
  recno = r;
  eof = false;
  bof = false;
  cur_dirty = false;
}

void Table::Impl::SetEof() {
  cur = blank;
  recno = hdr.record_count + 1;
  eof = true;
  cur_dirty = false;
}

void Table::Impl::LoadResident() {
  const size_t bytes = size_t{hdr.record_count} * hdr.record_length;
  window.resize(bytes);
  if (ReadAt(fd, window.data(), bytes, hdr.header_length, file) != bytes)
    throw Error(ErrorKind::kDamaged, fmt::format("{}: file is shorter than its {} records need",
                                                 file, hdr.record_count));
  win_first = 1;
  win_count = hdr.record_count;
  resident = true;
}

void Table::Impl::WriteBack() {
  if (!resident || dirty_lo == 0) return;
  const size_t len = hdr.record_length;
  WriteAt(fd, window.data() + size_t{dirty_lo - 1} * len, size_t{dirty_hi - dirty_lo + 1} * len,
          hdr.header_length + uint64_t{dirty_lo - 1} * len, file);
  dirty_lo = dirty_hi = 0;
}

void Table::Impl::WriteCurrent() {
  if (!cur_dirty) return;
  cur_dirty = false;
  if (resident) {
    const size_t len = hdr.record_length;
    if (recno > win_count) {
      window.resize(size_t{recno} * len);
      win_count = recno;
    }
    std::memcpy(window.data() + size_t{recno - 1} * len, cur.data(), len);
    dirty_lo = dirty_lo == 0 ? recno : std::min(dirty_lo, recno);
    dirty_hi = std::max(dirty_hi, recno);
    changed = true;
    return;
  }
  const uint64_t at = hdr.header_length + uint64_t{recno - 1} * hdr.record_length;
  // The end-of-file byte follows the last record. A shared open never writes it here: its
  // count may be stale, and the byte would land on a record another open appended.
  if (recno == hdr.record_count && share == Share::kExclusive) {
    std::string bytes = cur;
    bytes.push_back(static_cast<char>(kEofByte));
    WriteAt(fd, bytes.data(), bytes.size(), at, file);
  } else {
    WriteAt(fd, cur.data(), cur.size(), at, file);
  }
  if (win_count > 0 && recno >= win_first && recno < win_first + win_count)
    std::memcpy(window.data() + size_t{recno - win_first} * hdr.record_length, cur.data(),
                cur.size());
  changed = true;
}

void Table::Impl::RequireWritable(std::string_view what) const {
  if (read_only)
    throw Error(ErrorKind::kUsage, fmt::format("{}: {} needs a read-write open", file, what));
}

void Table::Impl::ReadHeaderCount() {
  uint8_t prefix[kPrefixSize];
  if (ReadAt(fd, prefix, sizeof prefix, 0, file) != sizeof prefix)
    throw Error(ErrorKind::kDamaged, fmt::format("{}: header was cut short", file));
  Header now = hdr;
  now.record_count = uint32_t{prefix[4]} | uint32_t{prefix[5]} << 8 | uint32_t{prefix[6]} << 16 |
                     uint32_t{prefix[7]} << 24;
  if (StoredHeaderLength(prefix) != hdr.header_length ||
      (uint32_t{prefix[10]} | uint32_t{prefix[11]} << 8) != hdr.record_length)
    throw Error(ErrorKind::kDamaged, fmt::format("{}: header changed while open", file));
  if (FileSize(fd, file) < now.DataEnd())
    throw Error(ErrorKind::kDamaged, fmt::format("{}: file is shorter than its {} records need",
                                                 file, now.record_count));
  InvalidateCache();
  const uint32_t old = hdr.record_count;
  hdr.record_count = now.record_count;
  if (now.record_count > old) {
    AddKeys(old + 1, now.record_count);
  } else if (now.record_count < old) {
    RebuildOrders();
  }
  if (eof) recno = hdr.record_count + 1;
}

void Table::Impl::Moved() {
  if (on_move) on_move();
}

// ---------------------------------------------------------------- open and close

Table::Table(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

std::unique_ptr<Table> Table::Open(const std::filesystem::path& requested, Share share,
                                   Access access) {
  auto impl = std::make_unique<Impl>();
  impl->path = ResolveCaseInsensitive(requested);
  impl->file = impl->path.string();
  impl->alias = UpperStem(impl->path);
  impl->share = share;
  impl->read_only = access == Access::kReadOnly;
  const std::string& file = impl->file;

  // An exclusive open writes the sharing lock, which needs a descriptor open for writing.
  const bool writable = !impl->read_only || share == Share::kExclusive;
  // The type is tested before the open: a FIFO would block a read-only open for ever.
  std::string kind;
  int fd = OpenRegularFile(impl->file, writable ? O_RDWR : O_RDONLY, 0, &kind);
  if (fd < 0) {
    int err = errno;
    if (!kind.empty())
      throw Error(ErrorKind::kIo, fmt::format("{}: not a regular file ({})", file, kind));
    if (err == ENOENT) throw Error(ErrorKind::kNotFound, fmt::format("{}: file not found", file));
    throw Error(ErrorKind::kIo, fmt::format("{}: cannot open: {}", file, std::strerror(err)));
  }
  impl->fd = fd;  // closed by ~Impl from here on
  bool granted = false;
  try {
    granted = LockByte(fd, kOpenLockOffset,
                       share == Share::kExclusive ? LockMode::kWrite : LockMode::kRead);
  } catch (const std::system_error& e) {
    throw Error(ErrorKind::kIo, fmt::format("{}: cannot lock: {}", file, e.what()));
  }
  if (!granted)
    throw Error(ErrorKind::kInUse,
                fmt::format("{}: in use by another ({} open refused)", file,
                            share == Share::kExclusive ? "exclusive" : "shared"));

  const uint64_t size = FileSize(fd, file);
  std::vector<uint8_t> bytes(kPrefixSize);
  bytes.resize(ReadAt(fd, bytes.data(), kPrefixSize, 0, file));
  if (bytes.size() == kPrefixSize) {
    uint32_t hl = StoredHeaderLength(bytes);
    bytes.resize(std::max<size_t>(hl, kPrefixSize));
    bytes.resize(kPrefixSize + ReadAt(fd, bytes.data() + kPrefixSize, bytes.size() - kPrefixSize,
                                      kPrefixSize, file));
  }
  impl->hdr = ParseHeader(bytes, size, file);
  impl->blank.assign(impl->hdr.record_length, ' ');
  if (share == Share::kExclusive && !impl->read_only &&
      uint64_t{impl->hdr.record_count} * impl->hdr.record_length <= kResidentBytes)
    impl->LoadResident();
  std::unique_ptr<Table> t(new Table(std::move(impl)));
  t->GoTop();
  return t;
}

Table::~Table() {
  try {
    impl_->WriteCurrent();
    if (impl_->changed) Flush();
  } catch (...) {
    // Closing cannot report; a failed final write leaves the last flushed state.
  }
}

// ---------------------------------------------------------------- description

const std::filesystem::path& Table::path() const {
  return impl_->path;
}
std::string_view Table::alias() const {
  return impl_->alias;
}
void Table::set_alias(std::string alias) {
  impl_->alias = std::move(alias);
  for (auto& o : impl_->orders) impl_->ResolveUses(*o);
}
Share Table::share() const {
  return impl_->share;
}
bool Table::read_only() const {
  return impl_->read_only;
}
const std::vector<FieldSpec>& Table::fields() const {
  return impl_->hdr.fields;
}
uint8_t Table::version() const {
  return impl_->hdr.version;
}
uint32_t Table::header_length() const {
  return impl_->hdr.header_length;
}
uint32_t Table::record_length() const {
  return impl_->hdr.record_length;
}
uint32_t Table::FieldOffset(int field) const {
  const Header& h = impl_->hdr;
  if (field < 0 || static_cast<size_t>(field) >= h.fields.size())
    throw Error(ErrorKind::kUsage, fmt::format("{}: no field number {}", impl_->file, field + 1));
  return h.offsets[static_cast<size_t>(field)];
}

Date Table::last_update() const {
  auto d = Date::FromYmd(impl_->hdr.year, impl_->hdr.month, impl_->hdr.day);
  return d ? *d : Date();
}

int Table::FieldIndex(std::string_view name) const {
  const auto& f = impl_->hdr.fields;
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i].name.size() != name.size()) continue;
    bool same = true;
    for (size_t k = 0; k < name.size() && same; ++k)
      same = std::toupper(static_cast<unsigned char>(f[i].name[k])) ==
             std::toupper(static_cast<unsigned char>(name[k]));
    if (same) return static_cast<int>(i);
  }
  return -1;
}

// ---------------------------------------------------------------- record pointer

uint32_t Table::RecCount() const {
  return impl_->hdr.record_count;
}
uint32_t Table::RecNo() const {
  return impl_->recno;
}
bool Table::Eof() const {
  return impl_->eof;
}
bool Table::Bof() const {
  return impl_->bof;
}
bool Table::Found() const {
  return impl_->found;
}

void Table::Impl::ArriveAtEnd(uint32_t r) {
  if (r != 0) {
    Arrive(r);
  } else {
    SetEof();
    bof = true;
  }
  Moved();
}

void Table::GoTop() {
  Impl& m = *impl_;
  m.WriteCurrent();
  uint32_t r = m.StepFirst();
  while (r != 0 && !m.Visible(r)) r = m.StepNext(r);
  m.ArriveAtEnd(r);
}

void Table::GoBottom() {
  Impl& m = *impl_;
  m.WriteCurrent();
  if (m.share == Share::kShared) m.ReadHeaderCount();
  uint32_t r = m.StepLast();
  while (r != 0 && !m.Visible(r)) r = m.StepPrev(r);
  m.ArriveAtEnd(r);
}

void Table::GoTo(uint32_t recno) {
  Impl& m = *impl_;
  m.WriteCurrent();
  if (recno >= 1 && recno <= m.hdr.record_count) {
    m.Load(recno);
    m.KeyOfCurrent();
  } else {
    m.SetEof();
  }
  m.Moved();
}

void Table::Skip(int64_t n) {
  Impl& m = *impl_;
  m.WriteCurrent();
  if (n == 0) {
    if (!m.eof) {
      m.InvalidateCache();
      m.Load(m.recno);
    }
  } else if (n > 0) {
    m.bof = false;
    for (int64_t i = 0; i < n && !m.eof; ++i) {
      m.step_key = m.cur_key;
      uint32_t r = m.StepNext(m.recno);
      while (r != 0 && !m.Visible(r)) r = m.StepNext(r);
      if (r != 0)
        m.Arrive(r);
      else
        m.SetEof();
    }
  } else {
    int64_t left = -n;
    if (m.eof) {
      uint32_t r = m.StepLast();
      while (r != 0 && !m.Visible(r)) r = m.StepPrev(r);
      if (r == 0) {
        m.SetEof();
        m.bof = true;  // nothing visible: stays at EOF, which is also BOF
        m.Moved();
        return;
      }
      m.Arrive(r);
      --left;
    }
    for (; left > 0; --left) {
      const uint32_t here = m.recno;
      const std::string here_key = m.cur_key;
      m.step_key = m.cur_key;
      uint32_t r = m.StepPrev(m.recno);
      while (r != 0 && !m.Visible(r)) r = m.StepPrev(r);
      if (r == 0) {
        m.Load(here);  // stays on the first record
        m.cur_key = here_key;
        m.bof = true;
        break;
      }
      m.Arrive(r);
    }
  }
  m.Moved();
}

// ---------------------------------------------------------------- fields

Value Table::Get(int field) const {
  const Header& h = impl_->hdr;
  if (field < 0 || static_cast<size_t>(field) >= h.fields.size())
    throw Error(ErrorKind::kUsage, fmt::format("{}: no field number {}", impl_->file, field + 1));
  return DecodeField(h.fields[field], Raw(field));
}

Value Table::Get(std::string_view name) const {
  int i = FieldIndex(name);
  if (i < 0) throw Error(ErrorKind::kUsage, fmt::format("{}: no field {}", impl_->file, name));
  return Get(i);
}

std::string_view Table::Raw(int field) const {
  const Header& h = impl_->hdr;
  if (field < 0 || static_cast<size_t>(field) >= h.fields.size())
    throw Error(ErrorKind::kUsage, fmt::format("{}: no field number {}", impl_->file, field + 1));
  return std::string_view(impl_->cur)
      .substr(h.offsets[field], static_cast<size_t>(h.fields[field].length));
}

bool Table::Deleted() const {
  return !impl_->cur.empty() && impl_->cur[0] == '*';
}

void Table::ReadRecords(uint32_t first, uint32_t count, char* out) {
  Impl& m = *impl_;
  if (count == 0) return;
  if (first < 1 || first > m.hdr.record_count || count > m.hdr.record_count - first + 1)
    throw Error(ErrorKind::kUsage, fmt::format("{}: there are no records {} to {}", m.file, first,
                                               uint64_t{first} + count - 1));
  m.WriteCurrent();
  const size_t len = m.hdr.record_length;
  const size_t bytes = size_t{count} * len;
  if (m.resident) {
    std::memcpy(out, m.window.data() + size_t{first - 1} * len, bytes);
    return;
  }
  if (ReadAt(m.fd, out, bytes, m.hdr.header_length + uint64_t{first - 1} * len, m.file) != bytes)
    throw Error(ErrorKind::kDamaged, fmt::format("{}: file is shorter than its {} records need",
                                                 m.file, m.hdr.record_count));
}

void Table::Impl::Change(std::string_view what, int part, size_t offset, std::string_view bytes) {
  RequireWritable(what);
  if (eof) throw Error(ErrorKind::kUsage, fmt::format("{}: {} at end of file", file, what));
  if (share == Share::kShared && locks.count(recno) == 0)
    throw Error(ErrorKind::kUsage,
                fmt::format("{}: {} of record {} needs its lock", file, what, recno));
  bool rekey = false;
  for (const auto& o : orders) rekey = rekey || KeyReads(*o, part);
  if (rekey) {
    const std::string before = cur;
    cur.replace(offset, bytes.size(), bytes);
    try {
      Rekey(before.data(), cur.data(), recno, part);
    } catch (...) {
      cur = before;
      throw;
    }
  } else {
    cur.replace(offset, bytes.size(), bytes);
  }
  cur_dirty = true;
  if (share == Share::kShared) WriteCurrent();
}

void Table::Replace(int field, const Value& value) {
  Impl& m = *impl_;
  const Header& h = m.hdr;
  if (field < 0 || static_cast<size_t>(field) >= h.fields.size())
    throw Error(ErrorKind::kUsage, fmt::format("{}: no field number {}", m.file, field + 1));
  const FieldSpec& f = h.fields[field];
  // Most fields are short: their bytes are made without a heap allocation.
  char small[64];
  std::string large;
  char* bytes = small;
  if (static_cast<size_t>(f.length) > sizeof small) {
    large.resize(static_cast<size_t>(f.length));
    bytes = large.data();
  }
  EncodeField(f, value, bytes, m.file);
  m.Change("replace", field, h.offsets[field],
           std::string_view(bytes, static_cast<size_t>(f.length)));
}

void Table::Replace(std::string_view name, const Value& value) {
  int i = FieldIndex(name);
  if (i < 0) throw Error(ErrorKind::kUsage, fmt::format("{}: no field {}", impl_->file, name));
  Replace(i, value);
}

void Table::Delete() {
  impl_->Change("delete", kDeletionFlag, 0, "*");
}

void Table::Recall() {
  impl_->Change("recall", kDeletionFlag, 0, " ");
}

void Table::Append() {
  Impl& m = *impl_;
  m.RequireWritable("append");
  m.WriteCurrent();
  uint32_t r;
  if (m.share == Share::kShared) {
    // Appends of all opens are serialised by the lock on the base byte; the record count is
    // re-read under it so no two opens write the same record.
    LockByte(m.fd, kRecordLockBase, LockMode::kWrite, /*wait=*/true);
    try {
      m.ReadHeaderCount();
      r = m.hdr.record_count + 1;
      std::string bytes = m.blank;
      bytes.push_back(static_cast<char>(kEofByte));
      WriteAt(m.fd, bytes.data(), bytes.size(), m.hdr.DataEnd(), m.file);
      Header next = m.hdr;
      next.record_count = r;
      Date today = Date::Today();
      next.year = today.Year(), next.month = today.Month(), next.day = today.Day();
      uint8_t b[7];
      EncodeCountAndDate(next, b);
      WriteAt(m.fd, b, sizeof b, 1, m.file);
      m.hdr.record_count = r;
      if (LockByte(m.fd, kRecordLockBase + r, LockMode::kWrite)) m.locks.insert(r);
    } catch (...) {
      UnlockByte(m.fd, kRecordLockBase);
      throw;
    }
    UnlockByte(m.fd, kRecordLockBase);
    m.cur = m.blank;
    m.cur_dirty = false;
  } else {
    r = m.hdr.record_count + 1;
    m.hdr.record_count = r;
    m.cur = m.blank;
    m.cur_dirty = true;  // written, with the end-of-file byte, when the pointer leaves it
    if (m.resident) {    // the new record is readable at once, as records on file are
      // Past a megabyte the window takes room for the whole resident size at once: room not
      // written to takes no memory, and the records are not copied again and again.
      const size_t needed = m.window.size() + m.blank.size();
      if (needed > m.window.capacity())
        m.window.reserve(std::max<size_t>(2 * needed, needed > (1 << 20) ? kResidentBytes : 0));
      m.window.insert(m.window.end(), m.blank.begin(), m.blank.end());
      m.win_count = r;
    }
  }
  m.changed = true;
  m.recno = r;
  m.eof = m.bof = false;
  for (size_t i = 0; i < m.orders.size(); ++i) {
    Order& o = *m.orders[i];
    std::string key = m.EvalKey(o, m.blank.data(), r);
    o.index.Insert(key, r);
    if (static_cast<int>(i) + 1 == m.active) m.cur_key = key;
  }
  m.Moved();
}

void Table::Zap() {
  Impl& m = *impl_;
  m.RequireWritable("zap");
  if (m.share != Share::kExclusive)
    throw Error(ErrorKind::kUsage, fmt::format("{}: zap needs exclusive use", m.file));
  m.cur_dirty = false;
  if (ftruncate(m.fd, static_cast<off_t>(m.hdr.header_length)) != 0)
    throw Error(ErrorKind::kIo, fmt::format("{}: zap failed: {}", m.file, std::strerror(errno)));
  m.hdr.record_count = 0;
  m.changed = true;
  m.win_count = 0;
  m.window.clear();
  m.dirty_lo = m.dirty_hi = 0;
  for (auto& o : m.orders) o->index.Clear();
  Flush();
  GoTop();
}

void Table::Flush() {
  Impl& m = *impl_;
  m.WriteCurrent();
  if (m.read_only || !m.changed) return;
  m.WriteBack();
  Date today = Date::Today();
  m.hdr.year = today.Year(), m.hdr.month = today.Month(), m.hdr.day = today.Day();
  uint8_t b[7];
  EncodeCountAndDate(m.hdr, b);
  // A shared open writes only the date: the count belongs to whoever appended last.
  WriteAt(m.fd, b, m.share == Share::kShared ? 3 : 7, 1, m.file);
  if (m.share == Share::kExclusive) {
    const uint8_t eof = kEofByte;
    WriteAt(m.fd, &eof, 1, m.hdr.DataEnd(), m.file);
    if (ftruncate(m.fd, static_cast<off_t>(m.hdr.DataEnd() + 1)) != 0)
      throw Error(ErrorKind::kIo,
                  fmt::format("{}: flush failed: {}", m.file, std::strerror(errno)));
  }
  if (fdatasync(m.fd) != 0)
    throw Error(ErrorKind::kIo, fmt::format("{}: flush failed: {}", m.file, std::strerror(errno)));
  m.changed = false;
}

void Table::RefreshHeader() {
  // Nobody else writes a table opened exclusively; its own header may lag its appends.
  if (impl_->share == Share::kShared) impl_->ReadHeaderCount();
}

// ---------------------------------------------------------------- locks

bool Table::Lock(uint32_t recno) {
  Impl& m = *impl_;
  m.RequireWritable("record lock");
  if (m.share == Share::kExclusive) return recno >= 1 && recno <= m.hdr.record_count;
  if (m.locks.count(recno)) return true;
  m.WriteCurrent();
  m.ReadHeaderCount();
  if (recno < 1 || recno > m.hdr.record_count) return false;
  if (!LockByte(m.fd, kRecordLockBase + recno, LockMode::kWrite)) return false;
  m.locks.insert(recno);
  if (!m.eof && m.recno == recno) {
    // The locked record as it is on disk now; another open may have changed its keys.
    const std::string before = m.cur;
    m.Load(recno);
    m.Rekey(before.data(), m.cur.data(), recno, Impl::kAnyPart);
  }
  return true;
}

void Table::Unlock(uint32_t recno) {
  Impl& m = *impl_;
  if (!m.locks.count(recno)) return;
  m.WriteCurrent();
  UnlockByte(m.fd, kRecordLockBase + recno);
  m.locks.erase(recno);
}

void Table::UnlockAll() {
  Impl& m = *impl_;
  m.WriteCurrent();
  for (uint32_t r : m.locks) UnlockByte(m.fd, kRecordLockBase + r);
  m.locks.clear();
}

bool Table::IsLocked(uint32_t recno) const {
  if (impl_->share == Share::kExclusive) return !impl_->read_only;
  return impl_->locks.count(recno) != 0;
}

bool Table::LockList(std::string_view list) {
  std::vector<uint32_t> taken;
  bool ok = true;
  size_t start = 0;
  while (ok) {
    size_t comma = list.find(',', start);
    std::string_view item =
        list.substr(start, comma == std::string_view::npos ? list.npos : comma - start);
    double n = DecodeNumber(item);
    uint32_t r = n >= 1 && n <= 4294967295.0 ? static_cast<uint32_t>(n) : 0;
    const bool held = r != 0 && IsLocked(r);
    if (r == 0 || !Lock(r)) {
      ok = false;
    } else if (!held) {
      taken.push_back(r);
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (!ok)
    for (uint32_t r : taken) Unlock(r);
  return ok;
}

void Table::set_on_move(std::function<void()> hook) {
  impl_->on_move = std::move(hook);
}

}  // namespace zur::dbf
