#include "lib/compat/user_name.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace zur::compat {

std::string WhoAmI() {
  long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buf(hint > 0 ? static_cast<size_t>(hint) : 16384);
  struct passwd pw;
  struct passwd* found = nullptr;
  while (::getpwuid_r(::geteuid(), &pw, buf.data(), buf.size(), &found) == ERANGE &&
         buf.size() < (1u << 20))
    buf.resize(buf.size() * 2);
  return found != nullptr && found->pw_name != nullptr ? std::string(found->pw_name) : "";
}

}  // namespace zur::compat
