#include "platform/TemporaryFolder.h"

#include <filesystem>
#include <system_error>

#include "platform/PathText.h"

namespace vantrel {

TemporaryFolder::~TemporaryFolder() {
    if (path_.empty()) return;
    std::error_code error;
    std::filesystem::remove_all(pathFromUtf8(path_), error);
}

}  // namespace vantrel
