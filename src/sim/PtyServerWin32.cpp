// The simulated controller serves a POSIX pseudo-terminal, which Windows does
// not have: there the server does not start and says why, so a program that
// offers it (the GUI's demo mode) carries on without it.
#ifdef _WIN32

#include "sim/PtyServer.h"

namespace vantrel {

PtyServer::PtyServer(ControllerSim& sim) : sim_(sim) {}

PtyServer::~PtyServer() = default;

bool PtyServer::start() {
    std::lock_guard lock(mutex_);
    error_ = "the simulated controller needs a pseudo-terminal, which Windows does not have";
    return false;
}

void PtyServer::stop() {}

void PtyServer::setPacing(std::optional<UsbLine>) {}  // nothing runs to be paced

std::string PtyServer::portName() const { return {}; }

std::string PtyServer::devicePath() const { return {}; }

std::string PtyServer::errorText() const {
    std::lock_guard lock(mutex_);
    return error_;
}

}  // namespace vantrel

#endif
