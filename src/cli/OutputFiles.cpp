#include "OutputFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace vantrel::cli {
namespace fs = std::filesystem;
namespace {

fs::path folderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// A new, empty file in `folder` with a name of its own; its descriptor, or -1.
int createTemp(const fs::path& folder, const std::string& stem, std::string& name) {
    std::string pattern = (folder / ("." + stem + ".part-XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0) name = pattern;
    return fd;
}

bool writeAll(int fd, const void* bytes, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, p + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

OutputFiles::~OutputFiles() {
    for (const Target& t : targets_)
        if (!t.temp.empty()) std::remove(t.temp.c_str());
}

OutputFiles::Target* OutputFiles::find(const std::string& path) {
    for (Target& t : targets_)
        if (t.path == path) return &t;
    return nullptr;
}

bool OutputFiles::check(const std::string& path, std::string& problem) {
    std::error_code ec;
    if (path.empty()) {
        problem = "an empty file name";
        return false;
    }
    for (const Target& t : targets_) {
        if (t.path == path || fs::equivalent(t.path, path, ec)) {
            problem = path + " is named twice";
            return false;
        }
    }
    if (fs::is_directory(path, ec)) {
        problem = path + " is a folder";
        return false;
    }
    const fs::path folder = folderOf(path);
    if (!fs::is_directory(folder, ec)) {
        problem = "the folder " + folder.string() + " of " + path + " does not exist";
        return false;
    }
    // The folder takes a new file: the staging later needs one.
    std::string probe;
    const int fd = createTemp(folder, fs::path(path).filename().string(), probe);
    if (fd < 0) {
        problem = "cannot write in " + folder.string() + ": " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    std::remove(probe.c_str());
    targets_.push_back({path, {}});
    return true;
}

bool OutputFiles::stage(const std::string& path, const void* bytes, std::size_t size) {
    Target* target = find(path);
    if (!target) return false;
    if (!target->temp.empty()) std::remove(target->temp.c_str());
    target->temp.clear();
    std::string temp;
    const int fd = createTemp(folderOf(path), fs::path(path).filename().string(), temp);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes, size);
    // mkstemp creates it private; the file gets the usual permissions.
    if (::fchmod(fd, 0644) != 0) ok = false;
    if (::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        std::remove(temp.c_str());
        return false;
    }
    target->temp = temp;
    return true;
}

bool OutputFiles::stageCopy(const std::string& path, const std::string& from) {
    std::ifstream in(from, std::ios::binary);
    if (!in) return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    return stage(path, bytes.data(), bytes.size());
}

bool OutputFiles::commit() {
    for (const Target& t : targets_)
        if (t.temp.empty()) return false;  // not all staged: nothing is renamed
    for (Target& t : targets_) {
        if (std::rename(t.temp.c_str(), t.path.c_str()) != 0) return false;  // the rest go in the destructor
        t.temp.clear();
    }
    return true;
}

}  // namespace vantrel::cli
