#pragma once

// A serial port name that opens and never answers, for tests of what is
// handed to the link: a pseudo-terminal that only the test reads on POSIX,
// the NUL device (which takes every write) on Windows.

#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

namespace vantrel::test {

class SilentPort {
public:
#ifdef _WIN32
    SilentPort() : name_("NUL") {}
#else
    SilentPort() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::fcntl(master_, F_SETFL, O_NONBLOCK) == 0 && ::grantpt(master_) == 0 &&
            ::unlockpt(master_) == 0)
            name_ = std::string(::ptsname(master_)).substr(5);  // "pts/N"
    }
    ~SilentPort() {
        if (master_ >= 0) ::close(master_);
    }
#endif
    SilentPort(const SilentPort&) = delete;
    SilentPort& operator=(const SilentPort&) = delete;

    bool made() const { return !name_.empty(); }
    const std::string& name() const { return name_; }

    // Throws away what was written to the port, so that the line never fills.
#ifdef _WIN32
    void drain() {}
#else
    void drain() {
        char bytes[4096];
        while (::read(master_, bytes, sizeof bytes) > 0) {}
    }
#endif

private:
    std::string name_;
#ifndef _WIN32
    int master_ = -1;
#endif
};

}  // namespace vantrel::test
