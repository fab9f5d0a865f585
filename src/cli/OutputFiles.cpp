#include "OutputFiles.h"

#include <filesystem>

#include "platform/FileRead.h"
#include "platform/PathText.h"

namespace vantrel::cli {
namespace fs = std::filesystem;

OutputFiles::~OutputFiles() = default;  // an AtomicFile not committed removes its temporary file

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
        if (t.path == path || fs::equivalent(pathFromUtf8(t.path), pathFromUtf8(path), ec)) {
            problem = path + " is named twice";
            return false;
        }
    }
    if (fs::is_directory(pathFromUtf8(path), ec)) {
        problem = path + " is a folder";
        return false;
    }
    const fs::path parent = pathFromUtf8(path).parent_path();
    const fs::path folder = parent.empty() ? fs::path(".") : parent;
    if (!fs::is_directory(folder, ec)) {
        problem = "the folder " + utf8FromPath(folder) + " of " + path + " does not exist";
        return false;
    }
    // The file may be replaced and its folder takes a new file: staging needs
    // one there. The probe goes away with the object, unwritten.
    const AtomicFile probe(path);
    if (const FileWriteResult made = probe.status(); !made) {
        problem = "cannot write " + path + ": " + made.description();
        return false;
    }
    targets_.push_back({path, nullptr});
    return true;
}

bool OutputFiles::stage(const std::string& path, const void* bytes, std::size_t size, std::string& problem) {
    Target* target = find(path);
    if (!target) {
        problem = path + " was not checked";
        return false;
    }
    target->staged.reset();
    auto file = std::make_unique<AtomicFile>(path);
    file->write(bytes, size);
    if (const FileWriteResult flushed = file->flush(); !flushed) {
        problem = "cannot write " + path + ": " + flushed.description();
        return false;  // the temporary file goes with `file`
    }
    target->staged = std::move(file);
    return true;
}

bool OutputFiles::stageCopy(const std::string& path, const std::string& from, std::string& problem) {
    const FileContent content = readFile(from, kMaxCopySize);
    if (!content) {
        problem = "cannot read " + from + ": " + content.result.description();
        return false;
    }
    return stage(path, content.bytes.data(), content.bytes.size(), problem);
}

bool OutputFiles::commit(std::string& problem) {
    for (const Target& t : targets_) {
        if (!t.staged) {
            problem = t.path + " was not written";
            return false;  // not all staged: nothing is renamed
        }
    }
    for (Target& t : targets_) {
        if (const FileWriteResult renamed = t.staged->commit(); !renamed) {
            problem = "cannot put " + t.path + " in place: " + renamed.description();
            return false;  // the rest are removed with their objects
        }
        t.staged.reset();
    }
    return true;
}

}  // namespace vantrel::cli
