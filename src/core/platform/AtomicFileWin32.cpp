#include "platform/AtomicFile.h"

#include "platform/TemporaryFileName.h"
#include "platform/Win32Support.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace vantrel {

namespace {

HANDLE asHandle(std::intptr_t file) { return reinterpret_cast<HANDLE>(file); }

// Where the file name starts: after the last "\" or "/" (0 without one).
std::size_t nameStart(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? 0 : separator + 1;
}

// The file a target names: a symbolic link is followed to the file it points
// to, so the link survives; a dangling link is replaced like a plain file.
std::string resolvedTarget(const std::string& target) {
    const std::wstring wide = win32::wide(target);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return target;
    const win32::Handle file(::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return target;
    std::wstring resolved(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(file.get(), resolved.data(), MAX_PATH, FILE_NAME_NORMALIZED);
    if (length >= MAX_PATH) {
        resolved.resize(length);
        length = ::GetFinalPathNameByHandleW(file.get(), resolved.data(), length, FILE_NAME_NORMALIZED);
    }
    if (length == 0 || length >= resolved.size()) return target;
    resolved.resize(length);
    return win32::utf8(resolved);  // "\\?\C:\..." opens as well as "C:\..."
}

// The error when `target` exists and must not be replaced: a folder, a device
// (the rename would put a plain file in its place), a read-only file or one
// the user may not write. 0 when it may be replaced or does not exist.
int protectionOf(const std::string& target) {
    const std::wstring wide = win32::wide(target);
    // A device ("\\.\NUL", "COM1") has no attributes, but opens.
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    const bool listed = attributes != INVALID_FILE_ATTRIBUTES;
    if (listed && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return EISDIR;
    if (listed && (attributes & FILE_ATTRIBUTE_READONLY)) return EACCES;
    const win32::Handle file(::CreateFileW(wide.c_str(), listed ? GENERIC_WRITE : 0,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    if (!file.valid()) return listed && ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : 0;
    return ::GetFileType(file.get()) == FILE_TYPE_DISK ? 0 : FileWriteResult::kNotRegularFile;
}

bool processRuns(unsigned long id) {
    const win32::Handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process.valid()) return ::GetLastError() != ERROR_INVALID_PARAMETER;  // no such process
    DWORD code = 0;
    return !::GetExitCodeProcess(process.get(), &code) || code == STILL_ACTIVE;
}

// Removes the temporary files of earlier writes of `target` whose process is
// gone (killed during a save): each would otherwise stay for ever.
void removeLeftovers(const std::string& target) {
    const std::string folder = target.substr(0, nameStart(target));
    const std::string name = target.substr(nameStart(target));
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW(win32::wide(folder + "." + name + ".*.tmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> gone;
    do {
        const unsigned long writer = writerOfTemporaryFile(win32::utf8(entry.cFileName), name);
        const DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        if (writer > 0 && !(entry.dwFileAttributes & notPlain) && !processRuns(writer))
            gone.push_back(win32::wide(folder) + entry.cFileName);
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    for (const std::wstring& leftover : gone) ::DeleteFileW(leftover.c_str());
}

}  // namespace

AtomicFile::AtomicFile(const std::string& target) : target_(resolvedTarget(target)) {
    // The rename would replace a protected file without asking its permission.
    if (const int protection = protectionOf(target_)) {
        error_ = protection;
        return;
    }
    const std::string folder = target_.substr(0, nameStart(target_));
    const std::string name = target_.substr(nameStart(target_));
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        temporary_ = folder + temporaryFileName(name, ::GetCurrentProcessId());
        const HANDLE file = ::CreateFileW(win32::wide(temporary_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            file_ = reinterpret_cast<std::intptr_t>(file);
            return;
        }
        error = ::GetLastError();
    }
    error_ = win32::errnoOf(error);
    temporary_.clear();
}

void AtomicFile::discard() {
    if (file_ != -1) ::CloseHandle(asHandle(file_));
    file_ = -1;
    if (!temporary_.empty()) ::DeleteFileW(win32::wide(temporary_).c_str());
    temporary_.clear();
}

bool AtomicFile::write(const void* data, std::size_t size) {
    if (error_ == 0 && file_ == -1) fail(EBADF);  // flushed or committed already
    if (error_ != 0) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(asHandle(file_), bytes + done, want, &written, nullptr)) {
            fail(win32::lastErrno());
            return false;
        }
        if (written == 0) {  // nothing taken and no error: the disk is full
            fail(ENOSPC);
            return false;
        }
        done += written;
    }
    return true;
}

FileWriteResult AtomicFile::flush() {
    if (error_ == 0 && flushed_) return {};
    if (error_ == 0 && file_ == -1) fail(EBADF);  // committed already
    // The content must be on the disk before the rename makes it the file:
    // otherwise a power cut could leave a renamed but empty file.
    if (error_ == 0 && !::FlushFileBuffers(asHandle(file_))) fail(win32::lastErrno());
    if (error_ == 0) {
        const BOOL closed = ::CloseHandle(asHandle(file_));
        file_ = -1;
        if (!closed) fail(win32::lastErrno());
    }
    flushed_ = error_ == 0;
    return {error_};
}

int AtomicFile::replaceTarget() const {
    // Write-through: the call returns once the rename is on the disk.
    const bool moved = ::MoveFileExW(win32::wide(temporary_).c_str(), win32::wide(target_).c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    return moved ? 0 : win32::lastErrno();
}

void AtomicFile::afterReplace() const { removeLeftovers(target_); }

}  // namespace vantrel
