#pragma once
// Thrown by a step of the checking run when a message has been shown (through the Operator)
// and the program must end. The driver closes what is open, leaves no incomplete upload file
// and exits with a non-zero status; `message` is the text that was shown.

#include <stdexcept>
#include <string>

namespace zur::run {

class RunStopped : public std::runtime_error {
 public:
  explicit RunStopped(std::string message) : std::runtime_error(std::move(message)) {}
};

}  // namespace zur::run
