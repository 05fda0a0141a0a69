#pragma once
// A scratch directory, removed with its contents at the end of the test.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zur::compat::testing {

class ScratchDir {
 public:
  ScratchDir() {
    char name[] = "/tmp/zur_compat_XXXXXX";
    if (::mkdtemp(name) == nullptr) std::abort();
    path_ = name;
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  std::string Write(const std::string& name, const std::string& contents) const {
    std::ofstream(File(name), std::ios::binary) << contents;
    return File(name);
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::string path_;
};

}  // namespace zur::compat::testing
