#include "platform/RegularFileRead.h"

#include "platform/FileRead.h"
#include "platform/Win32Support.h"

#include <algorithm>
#include <cerrno>

namespace vantrel {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

int readRegularFile(const std::string& path, std::size_t most, std::string& bytes) {
    // Backup semantics let a folder open too, so it is told as a folder. Others
    // may read, write and rename the file meanwhile, as on POSIX.
    const win32::Handle file(::CreateFileW(win32::wide(path).c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return win32::lastErrno();
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) return FileReadResult::kNotRegularFile;
    if (!::GetFileInformationByHandle(file.get(), &info)) return win32::lastErrno();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
    const unsigned long long size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    bytes.reserve(static_cast<std::size_t>(std::min<unsigned long long>(most, size + 1)));
    std::size_t done = 0;
    while (done < most) {
        const std::size_t want = std::min(kChunk, most - done);
        bytes.resize(done + want);
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(want), &got, nullptr))
            return win32::lastErrno();
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return 0;
}

}  // namespace vantrel
