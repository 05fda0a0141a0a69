// Sharing between processes: every case runs the other party in a forked child.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "platform/dbf/table.h"
#include "platform/dbf/tests/temp_dir.h"

namespace zur::dbf {
namespace {

using testing::TempDir;

// A child process that runs `setup`, reports that it is ready, and keeps what it opened
// until it is released; its exit status is setup's result.
class Peer {
 public:
  explicit Peer(std::function<int()> setup) {
    int ready[2], release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      close(release[1]);
      int rc = 99;
      try {
        rc = setup();
      } catch (...) {
        rc = 98;
      }
      char c = 1;
      if (write(ready[1], &c, 1) != 1) _exit(97);
      if (read(release[0], &c, 1) < 0) _exit(96);
      _exit(rc);
    }
    close(ready[1]);
    close(release[0]);
    release_ = release[1];
    char c;
    ready_ok_ = read(ready[0], &c, 1) == 1;
    close(ready[0]);
  }
  // Lets the child end and returns its exit status.
  int Finish() {
    if (pid_ <= 0) return -1;
    // A byte, not end-of-file: other children may hold copies of this pipe's write end.
    char c = 1;
    if (write(release_, &c, 1) != 1) return -1;
    close(release_);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  ~Peer() { Finish(); }
  bool ready() const { return ready_ok_; }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
  bool ready_ok_ = false;
};

// Runs `fn` in a child to its end; returns its exit status.
int InChild(std::function<int()> fn) {
  Peer p(std::move(fn));
  return p.Finish();
}

class Sharing : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_ / "CLMAST.DBF";
    Table::Create(path_, {{"LACCT", 'C', 8, 0}, {"LSEGAC", 'C', 8, 0}});
    auto t = Table::Open(path_, Share::kExclusive);
    for (int i = 1; i <= 10; ++i) {
      t->Append();
      t->Replace("LACCT", Value("C" + std::to_string(i)));
    }
  }
  ErrorKind OpenFails(Share share) {
    try {
      Table::Open(path_, share);
    } catch (const Error& e) {
      return e.kind();
    }
    return ErrorKind::kUsage;  // opened: not what the caller expected
  }

  TempDir dir_;
  std::filesystem::path path_;
  std::unique_ptr<Table> held_;  // the child's open, kept across the fork
};

TEST_F(Sharing, ExclusiveAndSharedOpensExcludeEachOther) {
  {
    Peer shared([&] {
      held_ = Table::Open(path_, Share::kShared);
      return 0;
    });
    ASSERT_TRUE(shared.ready());
    EXPECT_EQ(OpenFails(Share::kExclusive), ErrorKind::kInUse);
    EXPECT_TRUE(Table::InUse(path_));
    auto also = Table::Open(path_, Share::kShared, Access::kReadOnly);  // shared opens coexist
    EXPECT_EQ(also->RecCount(), 10u);
    EXPECT_EQ(shared.Finish(), 0);
  }
  {
    Peer exclusive([&] {
      held_ = Table::Open(path_, Share::kExclusive);
      return 0;
    });
    ASSERT_TRUE(exclusive.ready());
    EXPECT_EQ(OpenFails(Share::kShared), ErrorKind::kInUse);
    EXPECT_EQ(OpenFails(Share::kExclusive), ErrorKind::kInUse);
    EXPECT_EQ(exclusive.Finish(), 0);
  }
  // Released with the child's end: an exclusive open now succeeds.
  auto t = Table::Open(path_, Share::kExclusive);
  // ... and a child cannot open while this process holds it.
  EXPECT_EQ(InChild([&] {
              try {
                Table::Open(path_, Share::kShared);
              } catch (const Error& e) {
                return e.kind() == ErrorKind::kInUse ? 0 : 2;
              }
              return 1;
            }),
            0);
}

TEST_F(Sharing, RecordLocksAndLockListAcrossProcesses) {
  Peer other([&] {
    held_ = Table::Open(path_, Share::kShared);
    return held_->Lock(7) ? 0 : 1;
  });
  ASSERT_TRUE(other.ready());
  auto t = Table::Open(path_, Share::kShared);
  EXPECT_FALSE(t->Lock(7));
  EXPECT_TRUE(t->Lock(3));
  EXPECT_FALSE(t->Lock(11));  // no such record

  // "5, 7": 5 is locked, 7 fails, 5 is released again; 3, held before the call, stays.
  EXPECT_FALSE(t->LockList("3, 5, 7"));
  EXPECT_FALSE(t->IsLocked(5));
  EXPECT_TRUE(t->IsLocked(3));
  EXPECT_EQ(InChild([&] {
              auto c = Table::Open(path_, Share::kShared);
              return c->Lock(5) && !c->Lock(3) ? 0 : 1;
            }),
            0);
  EXPECT_TRUE(t->LockList(" 1 ,2,  4"));
  EXPECT_TRUE(t->IsLocked(1) && t->IsLocked(2) && t->IsLocked(4));
  EXPECT_FALSE(t->LockList("x"));

  EXPECT_EQ(other.Finish(), 0);
  EXPECT_TRUE(t->Lock(7));  // released when the other process ended
  t->UnlockAll();
  EXPECT_FALSE(t->IsLocked(1));
}

TEST_F(Sharing, ReaderSeesRecordsAppendedByAnotherProcess) {
  auto reader = Table::Open(path_, Share::kShared, Access::kReadOnly);
  EXPECT_EQ(reader->RecCount(), 10u);
  EXPECT_EQ(InChild([&] {
              auto w = Table::Open(path_, Share::kShared);
              for (const char* acct : {"NEW1", "NEW2"}) {
                w->Append();
                w->Replace("LACCT", Value(acct));
              }
              w->GoTo(1);
              if (!w->Lock(1)) return 1;
              w->Replace("LSEGAC", Value("SEG1"));
              return 0;
            }),
            0);
  EXPECT_EQ(reader->RecCount(), 10u);  // not before the header is read again
  reader->GoBottom();
  EXPECT_EQ(reader->RecCount(), 12u);
  EXPECT_EQ(reader->Get("LACCT"), Value("NEW2    "));
  reader->Skip(-1);
  EXPECT_EQ(reader->Get("LACCT"), Value("NEW1    "));

  auto writer = Table::Open(path_, Share::kShared);
  writer->GoTo(1);
  ASSERT_TRUE(writer->Lock(1));  // a lock reads the record afresh
  EXPECT_EQ(writer->Get("LSEGAC"), Value("SEG1    "));
}

TEST_F(Sharing, ReplacingTheLastRecordKeepsARecordAppendedElsewhere) {
  auto t = Table::Open(path_, Share::kShared);
  t->GoBottom();
  ASSERT_TRUE(t->LockCurrent());
  EXPECT_EQ(InChild([&] {
              auto w = Table::Open(path_, Share::kShared);
              w->Append();
              w->Replace("LACCT", Value("LATE"));
              return 0;
            }),
            0);
  t->Replace("LSEGAC", Value("SEG10"));  // record 10, the last one as this open knows it
  t->UnlockAll();
  auto r = Table::Open(path_, Share::kShared, Access::kReadOnly);
  r->GoBottom();
  EXPECT_EQ(r->RecNo(), 11u);
  EXPECT_FALSE(r->Deleted());
  EXPECT_EQ(r->Get("LACCT"), Value("LATE    "));
  r->Skip(-1);
  EXPECT_EQ(r->Get("LSEGAC"), Value("SEG10   "));
  std::ifstream in(path_, std::ios::binary);
  in.seekg(r->header_length() + 10 * r->record_length());
  EXPECT_EQ(in.get(), ' ');  // record 11's deletion flag, not an end-of-file byte
}

TEST_F(Sharing, ConcurrentAppendsLoseNoRecord) {
  auto appender = [&](std::string tag) {
    return [this, tag] {
      auto w = Table::Open(path_, Share::kShared);
      for (int i = 0; i < 150; ++i) {
        w->Append();
        w->Replace("LACCT", Value(tag));
        w->UnlockAll();
      }
      return 0;
    };
  };
  Peer a(appender("A")), b(appender("B"));
  EXPECT_EQ(a.Finish(), 0);
  EXPECT_EQ(b.Finish(), 0);
  auto t = Table::Open(path_, Share::kExclusive, Access::kReadOnly);
  EXPECT_EQ(t->RecCount(), 310u);
  int as = 0, bs = 0;
  for (t->GoTop(); !t->Eof(); t->Skip()) {
    std::string v = t->Get("LACCT").str();
    as += v == "A       ";
    bs += v == "B       ";
  }
  EXPECT_EQ(as, 150);
  EXPECT_EQ(bs, 150);
  EXPECT_EQ(std::filesystem::file_size(path_), t->header_length() + 310u * t->record_length() + 1);
}

}  // namespace
}  // namespace zur::dbf
