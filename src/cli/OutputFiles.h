#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vantrel::cli {

// The files one command writes, all of them or none: every target is checked
// before the controller is asked for anything (check), each file is written
// complete beside its target under a temporary name (stage), and only when all
// are staged are they renamed into place (commit). Whatever is staged and not
// committed is removed when the object goes away. The one place where the
// tool writes its output files.
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
    // its temporary file. False when that fails (nothing of it stays).
    bool stage(const std::string& path, const void* bytes, std::size_t size);
    bool stageCopy(const std::string& path, const std::string& from);

    // Renames every staged file into place; false when one could not be (the
    // others not yet renamed are removed).
    bool commit();

private:
    struct Target {
        std::string path;
        std::string temp;  // empty until staged
    };
    Target* find(const std::string& path);

    std::vector<Target> targets_;
};

}  // namespace vantrel::cli
