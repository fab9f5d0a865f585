#include "platform/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>

namespace vantrel {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads up to `most` bytes into `bytes`; the system's error number, or 0.
int readUpTo(int fd, std::string& bytes, std::size_t most, std::size_t sizeHint) {
    bytes.reserve(std::min(most, sizeHint + 1));
    std::size_t done = 0;
    while (done < most) {
        const std::size_t want = std::min(kChunk, most - done);
        bytes.resize(done + want);
        const ssize_t n = ::read(fd, bytes.data() + done, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return 0;
}

int readInto(const std::string& path, std::size_t limit, LongerFile longer, std::string& bytes) {
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return errno;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return errno;
    if (S_ISDIR(info.st_mode)) return EISDIR;
    if (!S_ISREG(info.st_mode)) return FileReadResult::kNotRegularFile;
    const std::size_t sizeHint = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    // One byte beyond the limit tells a longer file from one of exactly the limit.
    const std::size_t most = longer == LongerFile::Cut || limit == SIZE_MAX ? limit : limit + 1;
    if (const int error = readUpTo(file.get(), bytes, most, sizeHint)) return error;
    if (bytes.size() > limit) return EFBIG;
    return 0;
}

}  // namespace

std::string FileReadResult::description() const {
    switch (error) {
    case 0: return {};
    case kNotRegularFile: return "not a regular file";
    case kTooShort: return "shorter than expected";
    default: return std::strerror(error);
    }
}

FileContent readFile(const std::string& path, std::size_t limit, LongerFile longer) {
    FileContent content;
    try {
        content.result.error = readInto(path, limit, longer, content.bytes);
    } catch (const std::bad_alloc&) {
        content.result.error = ENOMEM;
    } catch (const std::length_error&) {
        content.result.error = ENOMEM;
    }
    if (!content) std::string().swap(content.bytes);
    return content;
}

}  // namespace vantrel
