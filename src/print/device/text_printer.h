#pragma once
// The printer device of the system: printed output to a port's device path, a file
// (overwritten or appended) or the null device.

#include <string>
#include <string_view>

#include "print/device/printer_device.h"
#include "print/device/printer_state.h"

namespace zur::print {

class TextPrinter : public PrinterDevice {
 public:
  TextPrinter() = default;
  TextPrinter(const TextPrinter&) = delete;
  TextPrinter& operator=(const TextPrinter&) = delete;
  ~TextPrinter() override;

  // Points output at `name`: "NUL" discards it, a port name writes to the port's device path
  // (never created), anything else is a file, appended to when `append`, else started empty.
  // The row and column counters start again at 0.
  // The previous target is closed first. False when the target cannot be opened for writing;
  // output then goes nowhere until the next Open.
  bool Open(std::string_view name, bool append, const PortPaths& ports);
  // Writes out what is buffered and closes the target. False when a write failed since Open.
  bool Close();

  const std::string& target() const { return target_; }  // the name given to Open
  const std::string& path() const { return path_; }      // the path written to

 protected:
  void Write(std::string_view bytes) override;

 private:
  void Flush();

  int fd_ = -1;
  bool write_failed_ = false;
  std::string target_;
  std::string path_;
  std::string buffer_;
};

}  // namespace zur::print
