#include "platform/SingleInstance.h"

#include "platform/AppFolders.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vantrel {

SingleInstance::SingleInstance()
{
    acquire(defaultLockFolder());
}

SingleInstance::SingleInstance(const std::string& lockFolder)
{
    acquire(lockFolder);
}

SingleInstance::~SingleInstance()
{
    if (fd_ >= 0) {
        flock(fd_, LOCK_UN);
        close(fd_);
    }
}

std::string SingleInstance::defaultLockFolder()
{
    std::error_code error;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && std::filesystem::is_directory(runtime, error)) {
        return runtime;
    }
    ensureDataFolder();
    return dataFolder();
}

void SingleInstance::acquire(const std::string& lockFolder)
{
    lockFilePath_ = lockFolder + "/" + kLockName + ".lock";
    const int fd = open(lockFilePath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    int result;
    do {
        result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        anotherInstanceRuns_ = errno == EWOULDBLOCK;
        close(fd);
        return;
    }
    fd_ = fd;
}

}  // namespace vantrel
