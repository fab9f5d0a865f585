#pragma once

#include <cstdint>
#include <string>

#include "data/ControllerMode.h"
#include "link/Protocol.h"

namespace vantrel {

// The mode word and run request values as the main window compares and stores
// them in the status variables (plain integers there).
namespace mode {
inline constexpr std::uint16_t kEditTest = static_cast<std::uint16_t>(ControllerMode::EditTest);
inline constexpr std::uint16_t kStepRun = static_cast<std::uint16_t>(ControllerMode::StepRun);
inline constexpr std::uint16_t kAutoRun = static_cast<std::uint16_t>(ControllerMode::AutoRun);
}  // namespace mode

namespace runRequest {
inline constexpr std::uint8_t kStart = static_cast<std::uint8_t>(RunRequest::Start);
inline constexpr std::uint8_t kStop = static_cast<std::uint8_t>(RunRequest::Stop);
}  // namespace runRequest

// The status pane's text of a reported mode; unknown values read "エラー".
std::string modeText(std::uint16_t modeWord);

}  // namespace vantrel
