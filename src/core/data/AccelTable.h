#pragma once

#include <array>
#include <cstdint>

namespace vantrel {

// The 26 acceleration/deceleration times of a pulse axis: entry 0 is the
// minimum, entry 25 the maximum, entries 1..24 lie on the straight line
// between them, truncated toward zero (hundredths of a second).
std::array<std::uint32_t, 26> interpolateAccelTable(std::uint32_t minimum, std::uint32_t maximum);

}  // namespace vantrel
