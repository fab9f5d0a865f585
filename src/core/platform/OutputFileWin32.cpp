#include "platform/OutputFile.h"

#include "platform/Win32Support.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace vantrel {

int openOutputFile(const std::string& path) {
    // Binary: line ends stay as written.
    return ::_wopen(win32::wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

bool isPlainFile(int descriptor) {
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
    return file != INVALID_HANDLE_VALUE && ::GetFileType(file) == FILE_TYPE_DISK;
}

void removeFile(const std::string& path) { ::DeleteFileW(win32::wide(path).c_str()); }

}  // namespace vantrel
