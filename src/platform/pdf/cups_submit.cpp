#include "platform/pdf/cups_submit.h"

#include <cups/cups.h>
#include <fmt/format.h>

#include <fstream>
#include <memory>
#include <vector>

namespace zur::pdf {
namespace {

struct DestDeleter {
  void operator()(cups_dest_t* d) const { cupsFreeDests(1, d); }
};
struct InfoDeleter {
  void operator()(cups_dinfo_t* i) const { cupsFreeDestInfo(i); }
};
struct HttpDeleter {
  void operator()(http_t* h) const { httpClose(h); }
};

bool IsAddress(const std::string& printer) {
  return printer.rfind("ipp://", 0) == 0 || printer.rfind("ipps://", 0) == 0;
}

std::unique_ptr<cups_dest_t, DestDeleter> FindDest(const std::string& printer) {
  if (IsAddress(printer))
    return std::unique_ptr<cups_dest_t, DestDeleter>(cupsGetDestWithURI(nullptr, printer.c_str()));
  return std::unique_ptr<cups_dest_t, DestDeleter>(
      cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.empty() ? nullptr : printer.c_str(), nullptr));
}

std::string Describe(const std::string& printer) {
  return printer.empty() ? std::string("the default printer") : fmt::format("printer {}", printer);
}

// An address is reached directly; a named destination through the scheduler.
http_t* Connect(const SubmitRequest& request) {
  const int timeout = static_cast<int>(request.connect_timeout.count());
  if (!IsAddress(request.printer)) {
    // The scheduler that named the destination takes its jobs (the destination's own address
    // may name a host or port the scheduler is not reached by).
    return httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, timeout,
                        nullptr);
  }
  char scheme[32], user[256], host[256], resource[1024];
  int port = 0;
  if (httpSeparateURI(HTTP_URI_CODING_ALL, request.printer.c_str(), scheme, sizeof scheme, user,
                      sizeof user, host, sizeof host, &port, resource,
                      sizeof resource) < HTTP_URI_STATUS_OK) {
    return nullptr;
  }
  const http_encryption_t encryption =
      std::string_view(scheme) == "ipps" ? HTTP_ENCRYPTION_ALWAYS : HTTP_ENCRYPTION_IF_REQUESTED;
  return httpConnect2(host, port, nullptr, AF_UNSPEC, encryption, 1, timeout, nullptr);
}

}  // namespace

PrintDestination::PrintDestination(const std::string& printer) : printer_(printer) {
  dest_ = FindDest(printer).release();
  if (dest_ != nullptr) return;
  error_ = printer.empty()
               ? std::string("no default printer is set up")
               : fmt::format("{}: no such printer ({})", Describe(printer), cupsLastErrorString());
}

PrintDestination::~PrintDestination() {
  if (dest_ != nullptr) cupsFreeDests(1, dest_);
}

SubmitResult SubmitPdf(const SubmitRequest& request) {
  return SubmitPdf(request, PrintDestination(request.printer));
}

SubmitResult SubmitPdf(const SubmitRequest& request, const PrintDestination& destination) {
  SubmitResult result;
  const std::string who = Describe(request.printer);
  auto fail = [&](std::string_view what) {
    // The caller names the report; the spool file's own name tells the operator nothing.
    result.error = fmt::format("{}: {}", who, what);
    return result;
  };

  std::ifstream in(request.pdf, std::ios::binary);
  if (!in) return fail("the PDF cannot be read");
  if (!destination.found()) {
    result.error = destination.error();
    return result;
  }
  cups_dest_t* dest = destination.dest_;

  std::unique_ptr<http_t, HttpDeleter> http(Connect(request));
  if (!http) return fail(fmt::format("no connection ({})", cupsLastErrorString()));
  std::unique_ptr<cups_dinfo_t, InfoDeleter> info(cupsCopyDestInfo(http.get(), dest));
  if (!info) return fail(fmt::format("no printer information ({})", cupsLastErrorString()));

  const std::string title =
      request.job_name.empty() ? request.pdf.filename().string() : request.job_name;
  int job_id = 0;
  if (cupsCreateDestJob(http.get(), dest, info.get(), &job_id, title.c_str(), 0, nullptr) !=
      IPP_STATUS_OK) {
    return fail(fmt::format("job refused ({})", cupsLastErrorString()));
  }
  const std::string doc = request.pdf.filename().string();
  if (cupsStartDestDocument(http.get(), dest, info.get(), job_id, doc.c_str(), CUPS_FORMAT_PDF, 0,
                            nullptr, 1) != HTTP_STATUS_CONTINUE) {
    cupsCancelDestJob(http.get(), dest, job_id);
    return fail(fmt::format("document refused ({})", cupsLastErrorString()));
  }
  std::vector<char> buf(64 * 1024);
  bool sent = true;
  while (in) {
    in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
    const auto n = static_cast<size_t>(in.gcount());
    if (n > 0 && cupsWriteRequestData(http.get(), buf.data(), n) != HTTP_STATUS_CONTINUE) {
      sent = false;
      break;
    }
  }
  if (!in.eof()) sent = false;
  const ipp_status_t status = cupsFinishDestDocument(http.get(), dest, info.get());
  if (!sent || status > IPP_STATUS_OK_CONFLICTING) {
    return fail(fmt::format("sending failed ({})", cupsLastErrorString()));
  }
  result.job_id = job_id;
  return result;
}

}  // namespace zur::pdf
