#pragma once

#include <string>

namespace vantrel {

// The kinds of the progress window opened for a long controller operation.
enum class ProgressKind : int {
    Initialise = 0,
    FlashWrite = 1,
    SettingsWrite = 2,
    SettingsRead = 3,
    Compile = 5,
    ProgramRead = 6,
};

std::string progressTitle(ProgressKind kind);
std::string progressText(ProgressKind kind);
// Only a FLASH write can be interrupted by the user.
inline bool progressCancellable(ProgressKind kind) { return kind == ProgressKind::FlashWrite; }
// The percentage text under the bar.
std::string progressPercentText(int percent);

}  // namespace vantrel
