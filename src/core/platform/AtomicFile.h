#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// The outcome of a file write: the system's error number of the step that
// failed, kNotRegularFile, or 0 when the file was written.
struct FileWriteResult {
    // The target is a device, a FIFO or a socket, not a file to replace.
    static constexpr int kNotRegularFile = -1;

    int error = 0;

    explicit operator bool() const { return error == 0; }
    // The system's own description of the error (English), for logs and the
    // command-line tool.
    std::string description() const;
};

// Writes a file so that it is either replaced whole or left as it was: the
// bytes go to a new file beside the target (same folder, so the same file
// system), which is flushed to the disk and then renamed over the target.
// On Windows the rename is MoveFileEx with replace and write-through, after
// FlushFileBuffers. A write that fails half way (disk full, file size limit,
// a removed drive), a folder without write permission or a crash before
// commit() leave the target untouched; the temporary file is removed on
// failure and on destruction without commit().
//
// A target that is a symbolic link is written through: the file it points to
// is replaced and the link stays. An existing target keeps its permission
// bits; a new one gets the usual ones (0666 less the umask; on Windows the
// folder's). A target that
// the user may not write, or made read-only, is refused (EACCES) instead of
// being renamed over, as are folders and special files. A successful write
// removes the temporary files that earlier writes of the same target left
// behind when their process was killed.
class AtomicFile {
public:
    explicit AtomicFile(const std::string& target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends bytes to the new content; false (and nothing more is written)
    // after the first failure.
    bool write(const void* data, std::size_t size);
    bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }

    // Flushes the new content to the disk and closes it, so that commit() is
    // left with the rename alone: several files can be made ready first and
    // put in place together. Reports the first failure so far.
    FileWriteResult flush();

    // Flushes the new content (unless flush() did) and renames it over the
    // target. Reports the first failure of any step since the construction.
    FileWriteResult commit();

    // The first failure so far (0 while all went well): a temporary file that
    // could not be made shows here at once.
    FileWriteResult status() const { return {error_}; }

private:
    void fail(int error);
    void discard();
    // The system's part of commit(): the rename over the target (0 or the
    // error), and what follows a rename that succeeded.
    int replaceTarget() const;
    void afterReplace() const;

    std::string target_;
    std::string temporary_;
    std::intptr_t file_ = -1;  // the new content's file: a descriptor, or a HANDLE on Windows
    int error_ = 0;
    bool flushed_ = false;  // closed and on the disk, not yet renamed
};

// The whole content in one call.
FileWriteResult writeFileAtomically(const std::string& path, std::string_view bytes);
FileWriteResult writeFileAtomically(const std::string& path, const void* data, std::size_t size);

}  // namespace vantrel
