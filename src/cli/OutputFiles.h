#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/AtomicFile.h"

namespace vantrel::cli {

// The files one command writes, all of them or none: every target is checked
// before the controller is asked for anything (check), each file is written
// complete and flushed to the disk beside its target under a temporary name
// (stage, through the core's AtomicFile), and only when all are staged are
// they renamed into place (commit). Whatever is staged and not committed is
// removed when the object goes away. The one place where the tool writes its
// output files.
class OutputFiles {
public:
    OutputFiles() = default;
    ~OutputFiles();
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;

    // Adds a target. False, with `problem` telling why, when it cannot be
    // written: it names a folder, its folder is missing or refuses a new file,
    // or it is already a target.
    bool check(const std::string& path, std::string& problem);

    // Writes the contents of a checked target, or a copy of file `from`, to
    // its temporary file and flushes it to the disk. False, with `problem`
    // telling why, when that fails (nothing of it stays).
    bool stage(const std::string& path, const void* bytes, std::size_t size, std::string& problem);
    bool stageCopy(const std::string& path, const std::string& from, std::string& problem);
    // The largest file stageCopy copies (the working files it copies are far smaller).
    static constexpr std::size_t kMaxCopySize = 16 * 1024 * 1024;

    // Renames every staged file into place; false, with `problem`, when not
    // all are staged (nothing is renamed) or a rename fails (the files not yet
    // renamed are removed).
    bool commit(std::string& problem);

private:
    struct Target {
        std::string path;
        std::unique_ptr<AtomicFile> staged;  // null until staged
    };
    Target* find(const std::string& path);

    std::vector<Target> targets_;
};

}  // namespace vantrel::cli
