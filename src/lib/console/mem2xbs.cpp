#include "lib/console/mem2xbs.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/vars/dbase_mem.h"
#include "platform/vars/file_io.h"
#include "platform/vars/memory_file.h"

namespace zur {
namespace {

// A .MEM file holds at most a few hundred variables; anything far larger is not one.
constexpr size_t kMaxMemBytes = 64u << 20;

void PrintUsage(std::ostream& out) {
  out << "zur mem2xbs [-q] IN.MEM [OUT.XBS]   -q (or /q): quiet, no progress messages\n"
         "  IN.MEM   the dBASE .MEM file to convert\n"
         "  OUT.XBS  the memory file to write (default: IN with the extension .XBS)\n";
}

bool IsQuietOption(const std::string& arg) {
  return arg == "/q" || arg == "/Q" || arg == "-q" || arg == "-Q";
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string Mem2XbsOutputName(const std::string& input) {
  const size_t slash = input.rfind('/');
  const size_t dot = input.rfind('.');
  const bool hasExtension = dot != std::string::npos &&
                            (slash == std::string::npos || dot > slash) &&
                            dot != (slash == std::string::npos ? 0 : slash + 1);
  return (hasExtension ? input.substr(0, dot) : input) + ".XBS";
}

int Mem2XbsCommand(const std::vector<std::string>& args, VarStore& vars, std::ostream& out,
                   std::ostream& err, const std::function<void()>& waitForKey) {
  vars.Release("GETLIST");
  vars.Release("PROMPTLIST");
  const bool quiet = !args.empty() && IsQuietOption(args[0]);
  const size_t first = quiet ? 1 : 0;
  if (args.size() <= first || args[first].empty()) {
    PrintUsage(out);
    return 2;
  }
  const std::string& input = args[first];
  const std::string output = args.size() > first + 1 && !args[first + 1].empty()
                                 ? args[first + 1]
                                 : Mem2XbsOutputName(input);

  if (!Exists(input)) {
    err << "error: cannot find file " << input << "\n";
    return 1;
  }
  const FileBytes file = ReadFileBytes(input, kMaxMemBytes);
  if (!file.ok()) {
    err << "error: cannot open file " << input << "errorCode: " << file.errorCode << "\n";
    return 1;
  }
  if (!quiet) out << "Reading .MEM file " << input << "\n";

  const DbaseMemRead read = ReadDbaseMem(file.bytes);
  for (const DbaseMemVariable& v : read.vars) vars.Set(v.name, v.value);
  vars.Set("COLOR_SET", Value("N+/W,W+/G"));
  vars.Set("TXT_VIEWER", Value("TEXTVIEW.EXE"));

  const MemoryFileResult saved = SaveMemoryFile(output, vars);
  if (!saved.ok()) {
    err << "error: " << saved.error << "\n";
    return 1;
  }
  if (!quiet) out << read.vars.size() << " variables saved to " << output << "\n";
  if (read.errors > 0) {
    for (const std::string& p : read.problems) err << input << ": " << p << "\n";
    err << "ERROR in Memory File, Please check !\n";
    if (!quiet && waitForKey) waitForKey();
    return 1;
  }
  return 0;
}

}  // namespace zur
