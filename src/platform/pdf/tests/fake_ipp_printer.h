#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace zur::pdf::testing {

// A small IPP printer on 127.0.0.1 inside the test process: it answers
// printer attributes, accepts jobs and keeps the last document it received.
class FakeIppPrinter {
 public:
  FakeIppPrinter();
  ~FakeIppPrinter();
  FakeIppPrinter(const FakeIppPrinter&) = delete;
  FakeIppPrinter& operator=(const FakeIppPrinter&) = delete;

  bool ok() const { return listen_fd_ >= 0; }
  std::string Uri() const;
  std::string Document();  // the last document's bytes
  int jobs() const { return jobs_; }

 private:
  void Serve();
  void Handle(int fd);

  int listen_fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> jobs_{0};
  std::mutex mu_;
  std::string document_;
  std::thread thread_;
};

}  // namespace zur::pdf::testing
