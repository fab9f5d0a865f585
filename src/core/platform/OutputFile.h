#pragma once

#include <string>

namespace vantrel {

// A file written as a stream of bytes by its descriptor (a trace that grows
// while the program runs), named in UTF-8 on every system.

// Opens `path` for writing, made or emptied; the descriptor, or -1 with errno
// set. The descriptor is not inherited by programs started later.
int openOutputFile(const std::string& path);

// Whether the descriptor is a plain file on the disk (not a terminal, a pipe
// or a device).
bool isPlainFile(int descriptor);

void removeFile(const std::string& path);

}  // namespace vantrel
