#include "platform/CommandLine.h"

#include "platform/Win32Support.h"

#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace vantrel {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr || count != argc) {  // cannot happen; argv is the next best
        if (wide != nullptr) ::LocalFree(wide);
        return {argv, argv + argc};
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(win32::utf8(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void useUtf8Output() {
    ::SetConsoleOutputCP(CP_UTF8);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

}  // namespace vantrel
