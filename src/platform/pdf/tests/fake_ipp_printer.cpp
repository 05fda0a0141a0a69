#include "platform/pdf/tests/fake_ipp_printer.h"

#include <arpa/inet.h>
#include <cups/cups.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zur::pdf::testing {

FakeIppPrinter::FakeIppPrinter() {
  listen_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  if (listen_fd_ < 0 || ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::listen(listen_fd_, 4) != 0 ||
      ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
    if (listen_fd_ >= 0) ::close(listen_fd_);
    listen_fd_ = -1;
    return;
  }
  port_ = ntohs(a.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

FakeIppPrinter::~FakeIppPrinter() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listen_fd_ >= 0) ::close(listen_fd_);
}

std::string FakeIppPrinter::Uri() const {
  return "ipp://127.0.0.1:" + std::to_string(port_) + "/ipp/print";
}

std::string FakeIppPrinter::Document() {
  std::lock_guard<std::mutex> lock(mu_);
  return document_;
}

void FakeIppPrinter::Serve() {
  while (!stop_) {
    pollfd p{listen_fd_, POLLIN, 0};
    if (::poll(&p, 1, 100) <= 0) continue;
    Handle(listen_fd_);
  }
}

void FakeIppPrinter::Handle(int fd) {
  http_t* http = httpAcceptConnection(fd, 1);
  if (!http) return;
  httpSetTimeout(http, 5.0, nullptr, nullptr);
  while (!stop_) {
    if (!httpWait(http, 5000)) break;
    char uri[1024];
    if (httpReadRequest(http, uri, sizeof uri) != HTTP_STATE_POST) break;
    http_status_t status;
    while ((status = httpUpdate(http)) == HTTP_STATUS_CONTINUE) {
    }
    if (status != HTTP_STATUS_OK) break;
    if (httpGetExpect(http) == HTTP_STATUS_CONTINUE) httpWriteResponse(http, HTTP_STATUS_CONTINUE);
    ipp_t* request = ippNew();
    ipp_state_t state;
    while ((state = ippRead(http, request)) != IPP_STATE_DATA) {
      if (state == IPP_STATE_ERROR) break;
    }
    std::string data;
    char buf[8192];
    ssize_t n;
    while ((n = httpRead2(http, buf, sizeof buf)) > 0) data.append(buf, static_cast<size_t>(n));

    ipp_t* response = ippNewResponse(request);
    const ipp_op_t op = ippGetOperation(request);
    if (state == IPP_STATE_ERROR) {
      ippSetStatusCode(response, IPP_STATUS_ERROR_BAD_REQUEST);
    } else if (op == IPP_OP_GET_PRINTER_ATTRIBUTES) {
      ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_URI, "printer-uri-supported", nullptr,
                   Uri().c_str());
      ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_MIMETYPE, "document-format-supported",
                   nullptr, "application/pdf");
      ippAddInteger(response, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
      ippAddBoolean(response, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
      static const int ops[] = {IPP_OP_PRINT_JOB, IPP_OP_CREATE_JOB, IPP_OP_SEND_DOCUMENT,
                                IPP_OP_CANCEL_JOB, IPP_OP_GET_PRINTER_ATTRIBUTES};
      ippAddIntegers(response, IPP_TAG_PRINTER, IPP_TAG_ENUM, "operations-supported", 5, ops);
    } else if (op == IPP_OP_CREATE_JOB || op == IPP_OP_PRINT_JOB || op == IPP_OP_SEND_DOCUMENT) {
      if (op != IPP_OP_CREATE_JOB) {
        std::lock_guard<std::mutex> lock(mu_);
        document_ = data;
        ++jobs_;
      }
      ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_INTEGER, "job-id", 7);
      ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_ENUM, "job-state", IPP_JSTATE_PENDING);
    }
    ippDelete(request);
    httpClearFields(http);
    httpSetField(http, HTTP_FIELD_CONTENT_TYPE, "application/ipp");
    httpSetLength(http, ippLength(response));
    bool ok = httpWriteResponse(http, HTTP_STATUS_OK) == 0;
    ippSetState(response, IPP_STATE_IDLE);
    while (ok && (state = ippWrite(http, response)) != IPP_STATE_DATA) {
      if (state == IPP_STATE_ERROR) ok = false;
    }
    ippDelete(response);
    if (!ok) break;
  }
  httpClose(http);
}

}  // namespace zur::pdf::testing
