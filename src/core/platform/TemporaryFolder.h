#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// A folder of this process in the system's temporary folder ($TMPDIR when it
// is an absolute path, else /tmp; the user's temporary folder on Windows),
// removed with everything in it when the object goes. When it cannot be made
// (no such folder, a full or read-only disk) there is none: path() is empty
// and the problem says why. It is never made anywhere else, the current
// folder least of all.
class TemporaryFolder {
public:
    // The folder is named `prefix` followed by six random characters.
    explicit TemporaryFolder(std::string_view prefix);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    bool made() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    // "cannot make a temporary folder in /nonexistent: No such file or
    // directory"; empty when made.
    const std::string& problem() const { return problem_; }

    // The system's temporary folder, without a trailing separator.
    static std::string systemFolder();

private:
    std::string path_;
    std::string problem_;
};

}  // namespace vantrel
