#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/ImageEdit.h"

namespace vantrel {

// The speed override level 0..4 of the settings image, shown as 20 ％ .. 100 ％.
inline constexpr std::uint8_t kMaxSpeedLevel = 4;

// "%d％" of level x 20 + 20.
std::string speedPercentText(std::uint8_t level);

// The level one step down or up, or nothing at the end of the range (a level
// outside 0..4 read from a foreign image steps back into the range).
std::optional<std::uint8_t> steppedSpeedLevel(std::uint8_t level, bool up);

// Steps the image's level and queues its write (address 28, 1 byte). Returns
// false, changing and queueing nothing, at the end of the range.
bool stepSpeedLevel(ImageEdit& edit, bool up);

}  // namespace vantrel
