#pragma once

#include <chrono>
#include <filesystem>
#include <string>

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

// Sends the PDF to the printer as one job.
SubmitResult SubmitPdf(const SubmitRequest& request);

}  // namespace zur::pdf
