#include "app/CGuardedApplication.h"

#include <cstdio>
#include <exception>

namespace vantrel {

CGuardedApplication::CGuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool CGuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        report(e.what());
    } catch (...) {
        report("unknown error");
    }
    return false;
}

void CGuardedApplication::report(const std::string& what) {
    // An error while the last one is reported (its message box runs events)
    // is not reported again.
    if (reporting_) return;
    reporting_ = true;
    std::fprintf(stderr, "vantrel: %s\n", what.c_str());
    try {
        if (handler_) handler_(what);
    } catch (...) {
        // Nothing more can be done for this one.
    }
    reporting_ = false;
}

}  // namespace vantrel
