#include "platform/Terminal.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include <cstdio>
#else
#include <unistd.h>
#endif

namespace vantrel {

#ifdef _WIN32

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

bool standardErrorMovesCursor() {
    // A console takes the sequences only once asked to.
    const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (!standardErrorIsTerminal() || !GetConsoleMode(console, &mode)) return false;
    return SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

#else

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) != 0; }

bool standardErrorMovesCursor() { return standardErrorIsTerminal(); }

#endif

}  // namespace vantrel
