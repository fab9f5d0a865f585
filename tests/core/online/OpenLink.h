#pragma once

// A link opened on a port that nobody answers, for tests of what the online
// windows hand to the link. No link thread runs, so the pending operation
// stays as the test sets it.

#include "core/SilentPort.h"
#include "link/ControllerLink.h"

namespace vantrel::test {

class OpenLink {
public:
    OpenLink() : link(status) {
        opened = port_.made() && link.open(port_.name(), nullptr);
        if (opened) link.setPendingOp(LinkOp::Idle);  // as after identify
    }
    ~OpenLink() { link.close(); }
    OpenLink(const OpenLink&) = delete;
    OpenLink& operator=(const OpenLink&) = delete;

private:
    SilentPort port_;

public:
    ControllerStatus status;
    ControllerLink link;
    bool opened = false;
};

}  // namespace vantrel::test
