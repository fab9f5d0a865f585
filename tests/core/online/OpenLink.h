#pragma once

// A link opened on a pseudo-terminal that nobody answers, for tests of what
// the online windows hand to the link. No link thread runs, so the pending
// operation stays as the test sets it.

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "link/ControllerLink.h"

namespace vantrel::test {

class OpenLink {
public:
    OpenLink() : link(status) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        opened = link.open(std::string(::ptsname(master_)).substr(5), nullptr);  // "pts/N"
        if (opened) link.setPendingOp(LinkOp::Idle);  // as after identify
    }
    ~OpenLink() {
        link.close();
        if (master_ >= 0) ::close(master_);
    }
    OpenLink(const OpenLink&) = delete;
    OpenLink& operator=(const OpenLink&) = delete;

    ControllerStatus status;
    ControllerLink link;
    bool opened = false;

private:
    int master_ = -1;
};

}  // namespace vantrel::test
