#pragma once

#include <cstddef>
#include <string>

namespace vantrel {

// The outcome of a file read: the system's error number of the step that
// failed, one of the codes below, or 0 when the file was read.
struct FileReadResult {
    // Not a file with contents of its own: a FIFO, a device, a socket.
    static constexpr int kNotRegularFile = -1;
    // Fewer bytes than the reader needs (set by readers of a fixed size).
    static constexpr int kTooShort = -2;

    int error = 0;

    explicit operator bool() const { return error == 0; }
    // The reason in English words, for logs and the command-line tool
    // ("Is a directory", "not a regular file", "File too large").
    std::string description() const;
};

// What a file holds, or why it could not be read (bytes are then empty).
struct FileContent {
    std::string bytes;
    FileReadResult result;

    explicit operator bool() const { return static_cast<bool>(result); }
};

// What to do with a file that holds more than the limit.
enum class LongerFile {
    Refused,  // EFBIG, nothing read
    Cut,      // its first `limit` bytes
};

// The one way the program reads a file. Only a regular file is read: a
// folder is EISDIR, and a FIFO, a device or a socket is kNotRegularFile,
// found without waiting (opened non-blocking, then looked at), so a FIFO
// without a writer never blocks and a link to /dev/zero is never read. The
// limit holds while reading and never trusts the size the file system
// reports, so a file that grows, or one that reports no size (/proc), still
// stops at it. Never throws: a failed allocation is ENOMEM.
FileContent readFile(const std::string& path, std::size_t limit, LongerFile longer = LongerFile::Refused);

}  // namespace vantrel
