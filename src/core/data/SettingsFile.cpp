#include "data/SettingsFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vantrel {

bool saveSettingsFile(const SettingsImage& image, const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::size_t done = 0;
    bool ok = true;
    while (done < SettingsImage::kSize) {
        const ssize_t n = ::write(fd, image.data() + done, SettingsImage::kSize - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) ok = false;
    return ok;
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
