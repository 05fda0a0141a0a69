#pragma once
// `zur mem2xbs [-q] IN.MEM [OUT.XBS]`: converts a dBASE .MEM memory file into a memory file of
// this program.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/vars/var_store.h"

namespace zur {

// The default output name: the input name with its extension replaced by ".XBS".
std::string Mem2XbsOutputName(const std::string& input);

// `args` are the words after "mem2xbs". The .MEM file's variables are created in `vars`, then
// all of `vars` is saved. Progress goes to `out`, problems to `err`; `waitForKey` is called
// after the damaged-file warning unless quiet. Returns 0 on success; 1 when the file could not
// be found, opened or written, or when the .MEM file had errors (the output is still written
// then); 2 for the usage text.
int Mem2XbsCommand(const std::vector<std::string>& args, VarStore& vars, std::ostream& out,
                   std::ostream& err, const std::function<void()>& waitForKey);

}  // namespace zur
