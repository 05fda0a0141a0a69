#pragma once

#include <chrono>
#include <filesystem>
#include <string>

// The scheduler's destination record (cups/cups.h).
struct cups_dest_s;

namespace zur::pdf {

struct SubmitRequest {
  std::filesystem::path pdf;
  // A CUPS destination name, an ipp:// or ipps:// address, or empty for the
  // default destination.
  std::string printer;
  std::string job_name;
  std::chrono::milliseconds connect_timeout{10000};
};

struct SubmitResult {
  int job_id = 0;
  std::string error;  // empty on success
};

// A printer as the scheduler names it, looked up before anything is made for it.
class PrintDestination {
 public:
  // A CUPS destination name, an ipp:// or ipps:// address, or empty for the default one.
  explicit PrintDestination(const std::string& printer);
  ~PrintDestination();
  PrintDestination(const PrintDestination&) = delete;
  PrintDestination& operator=(const PrintDestination&) = delete;

  bool found() const { return dest_ != nullptr; }
  // Why it was not found ("no default printer is set up", "printer X: no such printer ...").
  const std::string& error() const { return error_; }

 private:
  friend SubmitResult SubmitPdf(const SubmitRequest& request, const PrintDestination& dest);
  std::string printer_;
  ::cups_dest_s* dest_ = nullptr;
  std::string error_;
};

// Sends the PDF to the printer found as `dest` (request.printer) as one job.
SubmitResult SubmitPdf(const SubmitRequest& request, const PrintDestination& dest);
// The same, looking the printer up first.
SubmitResult SubmitPdf(const SubmitRequest& request);

}  // namespace zur::pdf
