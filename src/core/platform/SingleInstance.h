#pragma once

#include <string>

namespace vantrel {

// Keeps one running VANTREL per user. The lock is an flock()ed file named
// after the lock name "VANTREL.exe ZOLTEC" in $XDG_RUNTIME_DIR (else the
// per-user data folder). flock() locks belong to one open file, so a second
// SingleInstance is refused even inside the same process, and the kernel drops
// the lock when the process ends, however it ends.
class SingleInstance {
public:
    static constexpr const char* kLockName = "VANTREL.exe ZOLTEC";

    SingleInstance();                               // the per-user lock folder
    explicit SingleInstance(const std::string& lockFolder);
    ~SingleInstance();

    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another holder has the lock: the program must end at once,
    // silently. When the lock file cannot be made at all this is false (the
    // program starts rather than refusing to run), and holdsLock() is false.
    bool anotherInstanceRuns() const { return anotherInstanceRuns_; }
    bool holdsLock() const { return fd_ >= 0; }

    const std::string& lockFilePath() const { return lockFilePath_; }

    // The folder used by the default constructor.
    static std::string defaultLockFolder();

private:
    void acquire(const std::string& lockFolder);

    int fd_ = -1;
    bool anotherInstanceRuns_ = false;
    std::string lockFilePath_;
};

}  // namespace vantrel
