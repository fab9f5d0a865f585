#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// The controller's operating mode word, as the PC requests it and as the
// controller reports it.
namespace mode {
inline constexpr std::uint16_t kEditTest = 0;
inline constexpr std::uint16_t kStepRun = 1;
inline constexpr std::uint16_t kAutoRun = 2;
}  // namespace mode

// One-shot run requests sent with the next status poll.
namespace runRequest {
inline constexpr std::uint8_t kStart = 0xD7;
inline constexpr std::uint8_t kStop = 0xD8;
}  // namespace runRequest

// The status pane's text of a reported mode; unknown values read "エラー".
std::string modeText(std::uint16_t modeWord);

}  // namespace vantrel
