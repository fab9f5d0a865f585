#include "data/AccelTable.h"

namespace vantrel {

std::array<std::uint32_t, 26> interpolateAccelTable(std::uint32_t minimum, std::uint32_t maximum) {
    std::array<std::uint32_t, 26> table{};
    table[0] = minimum;
    table[25] = maximum;
    // Both ends are unsigned; a maximum below the minimum gives a falling table.
    const double step = (static_cast<double>(maximum) - static_cast<double>(minimum)) / 25.0;
    for (int i = 1; i <= 24; ++i) {
        const double entry = static_cast<double>(minimum) + i * step;
        table[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(static_cast<std::int64_t>(entry));
    }
    return table;
}

}  // namespace vantrel
