#include "platform/TemporaryFolder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>

namespace vantrel {

std::string TemporaryFolder::systemFolder() {
    // A relative $TMPDIR would put the folder below the current one.
    const char* value = std::getenv("TMPDIR");
    std::string folder = value != nullptr && value[0] == '/' ? value : "/tmp";
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

TemporaryFolder::TemporaryFolder(std::string_view prefix) {
    const std::string folder = systemFolder();
    std::string pattern = folder + (folder == "/" ? "" : "/");
    pattern += prefix;
    pattern += "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        problem_ = "cannot make a temporary folder in " + folder + ": " + std::strerror(errno);
        return;
    }
    path_ = pattern;
}

}  // namespace vantrel
