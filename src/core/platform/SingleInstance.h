#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace vantrel {

// Keeps one running VANTREL per user login.
//
// On Windows the lock is the named mutex "VANTREL.exe ZOLTEC" of the login
// session: the first start creates it, a later one finds it existing. The
// system drops it with the last handle, when the process ends, however it
// ends. A lock folder given for tests is added to the name.
//
// Elsewhere the lock is an flock()ed file named after the lock name in
// $XDG_RUNTIME_DIR (else the per-user data folder). flock() locks belong to
// one open file, so a second SingleInstance is refused even inside the same
// process, and the kernel drops the lock when the process ends. The holder
// also listens on a local socket beside the lock file and answers each later
// start that asks (answerPings, from its event loop), so a later start can
// tell a running first instance from one that hangs. Windows has no such
// answer: there a later start simply ends.
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
    bool holdsLock() const { return lock_ != -1; }

    // The lock file; the mutex's name on Windows.
    const std::string& lockFilePath() const { return lockFilePath_; }

    // The holder's listening socket: readable while a later start waits for
    // its answer. -1 when there is none (not the holder, or it could not be
    // made, or Windows; later starts then cannot ask).
    int pingSocket() const { return listenFd_; }
    // Answers every later start that waits.
    void answerPings() const;
    // For a refused start: false when the holder took the question and gave
    // no answer within `patience` (it hangs). True when it answered, and
    // when it cannot be asked at all (nothing to tell then).
    bool holderAnswers(std::chrono::milliseconds patience) const;

    // The folder used by the default constructor.
    static std::string defaultLockFolder();

private:
    void acquire(const std::string& lockFolder);
    void listen();
    std::string socketPath() const;

    std::intptr_t lock_ = -1;  // the lock file's descriptor, or the mutex's HANDLE
    int listenFd_ = -1;
    bool anotherInstanceRuns_ = false;
    std::string lockFilePath_;
};

}  // namespace vantrel
