#include "platform/SingleInstance.h"

#include "platform/Win32Support.h"

namespace vantrel {

SingleInstance::~SingleInstance()
{
    if (lock_ != -1) {
        ::CloseHandle(reinterpret_cast<HANDLE>(lock_));
    }
}

std::string SingleInstance::defaultLockFolder()
{
    return {};  // the name alone, in the login session's namespace
}

void SingleInstance::acquire(const std::string& lockFolder)
{
    // A mutex name takes no backslash.
    lockFilePath_ = kLockName;
    if (!lockFolder.empty()) {
        lockFilePath_ += ' ';
        for (const char c : lockFolder) {
            lockFilePath_ += c == '\\' ? '/' : c;
        }
    }
    // Created not owned: only its existence counts.
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, win32::wide(lockFilePath_).c_str());
    if (mutex == nullptr) {
        // The name is taken by another kind of object: do not refuse to run.
        return;
    }
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        anotherInstanceRuns_ = true;
        ::CloseHandle(mutex);
        return;
    }
    lock_ = reinterpret_cast<std::intptr_t>(mutex);
}

void SingleInstance::answerPings() const {}

bool SingleInstance::holderAnswers(std::chrono::milliseconds) const
{
    return true;  // nothing to ask on Windows
}

}  // namespace vantrel
