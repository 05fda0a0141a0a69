#pragma once
// What a whole run leaves behind, compared byte for byte with the files kept for its case in
// tests/data/expected/<case>/: the upload files, the holdings table ATIMAST.DBF (its
// last-update date, which is the day the run happens, read as zeros), the report texts kept
// under "kept" and the reports' PDF files. The run must be made at a pinned time of printing
// in the time zone set by PinReportTimeZone.
//
// After a deliberate change of the output, ZUR_WRITE_EXPECTED=1 writes the files of every case
// that runs instead of comparing them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

namespace zur::driver::testing {

// The reports print local times: every case is run as if in UTC.
inline void PinReportTimeZone() {
  ::setenv("TZ", "UTC0", 1);
  ::tzset();
}

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The output files of a run in `run_dir`, by the name they are kept under.
inline std::map<std::string, std::string> RunOutputs(const std::filesystem::path& run_dir) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> out;
  for (const char* name : {"ZURFILE.TXT", "STIFILE.TXT", "ATIMAST.DBF"}) {
    if (fs::exists(run_dir / name)) out[name] = FileBytes(run_dir / name);
  }
  auto holdings = out.find("ATIMAST.DBF");
  if (holdings != out.end() && holdings->second.size() >= 4)
    holdings->second.replace(1, 3, 3, '\0');
  for (const char* folder : {"kept", "PDF"}) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(run_dir / folder, ec))
      out[entry.path().filename().string()] = FileBytes(entry.path());
  }
  return out;
}

// Where the first difference lies, for the failure message.
inline std::string FirstDifference(const std::string& got, const std::string& want) {
  size_t at = 0;
  while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
  return "differs from byte " + std::to_string(at) + " (" + std::to_string(got.size()) +
         " bytes, expected " + std::to_string(want.size()) + ")";
}

inline void ExpectOutputsAsKept(const std::filesystem::path& run_dir, const std::string& name) {
  namespace fs = std::filesystem;
  const char* data = std::getenv("ZUR_TEST_DATA");
  ASSERT_NE(data, nullptr) << "ZUR_TEST_DATA is not set (run the tests through CTest)";
  const fs::path expected_dir = fs::path(data) / "expected" / name;
  const std::map<std::string, std::string> outputs = RunOutputs(run_dir);
  const char* write = std::getenv("ZUR_WRITE_EXPECTED");
  if (write != nullptr && std::string(write) == "1") {
    fs::remove_all(expected_dir);
    fs::create_directories(expected_dir);
    for (const auto& [file, bytes] : outputs)
      std::ofstream(expected_dir / file, std::ios::binary) << bytes;
    std::cerr << "expected outputs of " << name << " written to " << expected_dir << "\n";
    return;
  }
  std::map<std::string, std::string> expected;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(expected_dir, ec))
    expected[entry.path().filename().string()] = FileBytes(entry.path());
  ASSERT_FALSE(expected.empty()) << "no expected outputs in " << expected_dir;
  for (const auto& [file, bytes] : expected) {
    auto got = outputs.find(file);
    if (got == outputs.end()) {
      ADD_FAILURE() << name << ": the run left no " << file;
    } else if (got->second != bytes) {
      ADD_FAILURE() << name << ": " << file << " " << FirstDifference(got->second, bytes);
    }
  }
  for (const auto& [file, bytes] : outputs)
    if (expected.count(file) == 0) ADD_FAILURE() << name << ": unexpected output " << file;
}

}  // namespace zur::driver::testing
