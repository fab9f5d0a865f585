#include "data/SettingsFile.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vantrel {

FileWriteResult saveSettingsFile(const SettingsImage& image, const std::string& path) {
    return writeFileAtomically(path, image.data(), SettingsImage::kSize);
}

std::optional<std::size_t> loadSettingsFile(SettingsImage& image, const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::size_t done = 0;
    while (done < SettingsImage::kSize) {
        const ssize_t n = ::read(fd, image.data() + done, SettingsImage::kSize - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return done;
}

}  // namespace vantrel
