#include "platform/RegularFileRead.h"

#include "platform/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

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

}  // namespace

int readRegularFile(const std::string& path, std::size_t most, std::string& bytes) {
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return errno;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return errno;
    if (S_ISDIR(info.st_mode)) return EISDIR;
    if (!S_ISREG(info.st_mode)) return FileReadResult::kNotRegularFile;
    const std::size_t sizeHint = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    return readUpTo(file.get(), bytes, most, sizeHint);
}

}  // namespace vantrel
