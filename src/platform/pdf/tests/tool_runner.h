#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace zur::pdf::testing {

// What a shell command prints on its standard output.
inline std::string CommandOutput(const std::string& cmd) {
  std::string out;
  if (FILE* p = ::popen(cmd.c_str(), "r")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    ::pclose(p);
  }
  return out;
}

// Runs a poppler tool on a file and returns what it prints (pdftotext writes
// to standard output).
inline std::string RunTool(const std::string& tool, const std::string& args,
                           const std::filesystem::path& file) {
  const std::string out_arg = tool == "pdftotext" ? " -" : "";
  return CommandOutput(tool + " " + args + " '" + file.string() + "'" + out_arg + " 2>/dev/null");
}

// What a poppler tool complains of while reading the whole file (its standard error).
inline std::string ToolComplaints(const std::string& tool, const std::filesystem::path& file) {
  return CommandOutput(tool + " '" + file.string() + "' - 2>&1 >/dev/null");
}

inline bool HaveTool(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

inline std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAll(const std::filesystem::path& p, const std::string& s) {
  std::ofstream(p, std::ios::binary) << s;
}

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "zur-pdf-test-XXXXXX").string();
    path_ = ::mkdtemp(tmpl.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace zur::pdf::testing
