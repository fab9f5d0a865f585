#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// The name of a file that AtomicFile writes beside its target before the
// rename: "." + the target's name + "." + process + "-" + a counter of the
// process + "-" + clock ticks + ".tmp", which no other writer uses and which
// names the process that may still need it.
std::string temporaryFileName(std::string_view targetName, unsigned long process);

// The process of a temporary file name of the target named `targetName`, or
// 0 when `name` is not one.
unsigned long writerOfTemporaryFile(std::string_view name, std::string_view targetName);

}  // namespace vantrel
