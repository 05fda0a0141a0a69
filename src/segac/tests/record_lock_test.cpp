// Two users of the client master: this process amends a client whose record another process
// has locked and changed.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "segac/record_lock.h"
#include "segac/tests/segac_screen_fixture.h"

namespace zur::segac {
namespace {

using term::KeyId;

// The other user, a child process with the client master open shared. On "lock" it locks a
// client's record and changes it; on "release" it lets the record go; each step is answered
// once done.
class OtherUser {
 public:
  OtherUser(const std::filesystem::path& file, uint32_t recno) {
    if (pipe(to_child_) != 0 || pipe(to_parent_) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) _exit(Child(file, recno));
  }
  ~OtherUser() {
    if (pid_ > 0) {
      Tell('q');
      waitpid(pid_, nullptr, 0);
    }
  }
  // Sends a step and waits until it is done; false when the child failed it.
  bool Do(char step) {
    Tell(step);
    char answer = 0;
    return read(to_parent_[0], &answer, 1) == 1 && answer == 'y';
  }

 private:
  void Tell(char c) {
    if (write(to_child_[1], &c, 1) != 1) ADD_FAILURE() << "the other user is gone";
  }
  int Child(const std::filesystem::path& file, uint32_t recno) {
    try {
      auto table = dbf::Table::Open(file, dbf::Share::kShared);
      for (char step = 0; read(to_child_[0], &step, 1) == 1 && step != 'q';) {
        bool done = true;
        if (step == 'l') {
          table->GoTo(recno);
          done = table->Lock(recno);
          if (done) {
            table->Replace("LNAME2", Value("CHANGED BY THE OTHER USER"));
            table->Replace("LSEGAC", Value("33"));
            table->Flush();
          }
        } else if (step == 'r') {
          table->UnlockAll();
        }
        const char answer = done ? 'y' : 'n';
        if (write(to_parent_[1], &answer, 1) != 1) return 1;
      }
    } catch (...) {
      return 2;
    }
    return 0;
  }

  int to_child_[2] = {-1, -1};
  int to_parent_[2] = {-1, -1};
  pid_t pid_ = -1;
};

class TwoUsers : public testing::SegacScreenTest {};

// The client C001 (third) is on the screen when the other user locks and changes it. Amend
// meets the lock: the retry question; once the other user has let go, "R" takes the lock, the
// record as the other user left it is shown and amended, and the other user's change stays.
TEST_F(TwoUsers, RetryTakesTheLockAndAmendsTheRecordAsTheOtherUserLeftIt) {
  OtherUser other(ClientMaster(), 3);
  bool locked = false, released = false;
  const auto capture = backend.before_read;
  backend.before_read = [&](const term::CellGrid& grid) {
    capture(grid);
    const std::string shown = backend.Text();
    if (!locked && RowOf(shown, 7).find("C001") != std::string::npos) {
      locked = true;
      ASSERT_TRUE(other.Do('l'));
    }
    if (!released && shown.find(kRecordInUse) != std::string::npos) {
      released = true;
      ASSERT_TRUE(other.Do('r'));
    }
  };
  Keys({KeyId::kPgDn});
  Type("NNA");
  Keys({KeyId::kEnter});  // "R", the default
  Type("44\r");
  Keys({KeyId::kEsc, KeyId::kEsc});
  Run();

  EXPECT_TRUE(locked && released);
  EXPECT_EQ(WaitsShowing("Press \"R\" to re-try, other key to exit :"), 1);
  // Before the lock the screen showed the record as read before the other user changed it;
  // the entry starts from what the other user wrote.
  std::string entry;
  for (const std::string& p : pictures()) {
    if (RowOf(p, 10).find("CHANGED BY THE OTHER USER") != std::string::npos) {
      entry = RowOf(p, 12).substr(29, 8);
      break;
    }
  }
  EXPECT_EQ(entry, "33");
  EXPECT_EQ(Stored("C001", "LSEGAC"), "44");
  EXPECT_EQ(Stored("C001", "LNAME2"), "CHANGED BY THE OTHER USER");
}

// Any answer but "R" gives up: the record stays as the other user has it.
TEST_F(TwoUsers, GivingUpLeavesTheRecord) {
  OtherUser other(ClientMaster(), 1);
  ASSERT_TRUE(other.Do('l'));
  Keys({KeyId::kPgDn});
  Type("AX");
  Keys({KeyId::kEsc, KeyId::kEsc});
  Run();
  EXPECT_EQ(WaitsShowing(std::string(kRecordInUse)), 1);
  EXPECT_EQ(ShownAtTheBar().size(), 2u);
  EXPECT_EQ(Stored("A001", "LSEGAC"), "33");
  EXPECT_EQ(backend.pending(), 0u);
}

}  // namespace
}  // namespace zur::segac
