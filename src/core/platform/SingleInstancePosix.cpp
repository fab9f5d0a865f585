#include "platform/SingleInstance.h"

#include "platform/AppFolders.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vantrel {

namespace {

// The socket's address, or false when the path does not fit into one.
bool socketAddress(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Waits up to `patience` for `fd` to show one of `events`.
bool waitFor(int fd, short events, std::chrono::milliseconds patience)
{
    pollfd watched{fd, events, 0};
    int ready;
    do {
        ready = poll(&watched, 1, static_cast<int>(patience.count()));
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

}  // namespace

SingleInstance::~SingleInstance()
{
    if (listenFd_ >= 0) {
        close(listenFd_);
        unlink(socketPath().c_str());
    }
    if (lock_ >= 0) {
        flock(static_cast<int>(lock_), LOCK_UN);
        close(static_cast<int>(lock_));
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
    lock_ = fd;
    listen();
}

std::string SingleInstance::socketPath() const
{
    return lockFilePath_.substr(0, lockFilePath_.size() - 5) + ".sock";  // instead of ".lock"
}

void SingleInstance::listen()
{
    sockaddr_un address;
    if (!socketAddress(socketPath(), address)) {
        return;
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return;
    }
    // A socket left by a holder that was killed: the lock is ours now, so is the name.
    unlink(address.sun_path);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0) {
        close(fd);
        return;
    }
    listenFd_ = fd;
}

void SingleInstance::answerPings() const
{
    if (listenFd_ < 0) {
        return;
    }
    for (;;) {
        const int asker = accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (asker < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;  // none left
        }
        (void)send(asker, "1", 1, MSG_NOSIGNAL);
        close(asker);
    }
}

bool SingleInstance::holderAnswers(std::chrono::milliseconds patience) const
{
    sockaddr_un address;
    if (!socketAddress(socketPath(), address)) {
        return true;
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return true;
    }
    // A holder that hangs still takes the connection into its queue; only a
    // full queue refuses it (EAGAIN), and nobody listening (a holder without
    // the socket) leaves nothing to ask.
    bool answered;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        char answer = 0;
        answered = waitFor(fd, POLLIN, patience) && recv(fd, &answer, 1, 0) >= 0;
    } else {
        answered = errno != EAGAIN;
    }
    close(fd);
    return answered;
}

}  // namespace vantrel
