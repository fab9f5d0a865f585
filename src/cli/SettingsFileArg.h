#pragma once

#include <optional>
#include <string>

#include "data/SettingsImage.h"

namespace vantrel::cli {

// Reads a settings file given on the command line. Unlike the desktop's open
// command, a file that is not exactly one settings image (short, long, or not
// there) is refused with a message: a script must not work on half a data set.
std::optional<SettingsImage> readWholeSettingsFile(const std::string& path);

}  // namespace vantrel::cli
