#include "platform/AtomicFile.h"

#include "platform/TemporaryFileName.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace vantrel {

namespace {

// The file a target names: a symbolic link is followed to the file it points
// to, so the link survives; a dangling link is replaced like a plain file.
std::string resolvedTarget(const std::string& target) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
    char resolved[PATH_MAX];
    if (::realpath(target.c_str(), resolved) == nullptr) return target;
    return resolved;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A new temporary file name beside the target.
std::string temporaryName(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + temporaryFileName(name, static_cast<unsigned long>(::getpid()));
}

// The error when `target` exists and must not be replaced: a folder, a device
// or a FIFO (the rename would put a plain file in its place), or a file the
// user may not write or made read-only (no write bit at all, which holds for
// the superuser too). 0 when it may be replaced or does not exist.
int protectionOf(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) return 0;
    if (S_ISDIR(info.st_mode)) return EISDIR;
    if (!S_ISREG(info.st_mode)) return FileWriteResult::kNotRegularFile;
    if ((info.st_mode & 0222) == 0) return EACCES;
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES) return EACCES;
    return 0;
}

// Removes the temporary files of earlier writes of `target` whose process is
// gone (killed during a save): each would otherwise stay for ever.
void removeLeftovers(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    DIR* folder = ::opendir(folderOf(target).c_str());
    if (folder == nullptr) return;
    std::vector<std::string> gone;
    while (const dirent* entry = ::readdir(folder)) {
        const auto writer = static_cast<pid_t>(writerOfTemporaryFile(entry->d_name, name));
        if (writer > 0 && ::kill(writer, 0) != 0 && errno == ESRCH) gone.emplace_back(entry->d_name);
    }
    ::closedir(folder);
    const std::string prefix = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    for (const std::string& leftover : gone) {
        struct stat info {};
        const std::string path = prefix + leftover;
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(path.c_str());
    }
}

}  // namespace

AtomicFile::AtomicFile(const std::string& target) : target_(resolvedTarget(target)) {
    // The rename would replace a protected file without asking its permission.
    if (const int protection = protectionOf(target_)) {
        error_ = protection;
        return;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = temporaryName(target_);
        file_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file_ >= 0 || errno != EEXIST) break;
    }
    if (file_ < 0) {
        error_ = errno;
        temporary_.clear();
        return;
    }
    // An existing file keeps its permission bits (a file kept private stays so).
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        (void)::fchmod(file_, existing.st_mode & 07777);
}

void AtomicFile::discard() {
    if (file_ >= 0) ::close(file_);
    file_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool AtomicFile::write(const void* data, std::size_t size) {
    if (error_ == 0 && file_ < 0) fail(EBADF);  // flushed or committed already
    if (error_ != 0) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(file_, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            fail(errno);
            return false;
        }
        if (n == 0) {  // nothing taken and no error: the disk is full
            fail(ENOSPC);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

FileWriteResult AtomicFile::flush() {
    if (error_ == 0 && flushed_) return {};
    if (error_ == 0 && file_ < 0) fail(EBADF);  // committed already
    // The content must be on the disk before the rename makes it the file:
    // otherwise a power cut could leave a renamed but empty file.
    if (error_ == 0 && ::fsync(file_) != 0 && errno != EINVAL) fail(errno);
    if (error_ == 0) {
        const int closed = ::close(file_);
        file_ = -1;
        if (closed != 0 && errno != EINTR) fail(errno);
    }
    flushed_ = error_ == 0;
    return {error_};
}

int AtomicFile::replaceTarget() const {
    return ::rename(temporary_.c_str(), target_.c_str()) == 0 ? 0 : errno;
}

void AtomicFile::afterReplace() const {
    removeLeftovers(target_);
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
}

}  // namespace vantrel
