#pragma once

#include <cstddef>
#include <string>

namespace vantrel {

// The system's half of readFile (one twin per system): reads at most `most`
// bytes of the regular file at `path` into `bytes`. Returns 0, the errno
// value of the failure, or FileReadResult::kNotRegularFile. A folder is
// EISDIR; a FIFO, a device or a socket is refused without waiting for it.
int readRegularFile(const std::string& path, std::size_t most, std::string& bytes);

}  // namespace vantrel
