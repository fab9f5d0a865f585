#include "app/SpeedLevel.h"

namespace vantrel {

std::string speedPercentText(std::uint8_t level) {
    return std::to_string(level * 20 + 20) + "％";
}

std::optional<std::uint8_t> steppedSpeedLevel(std::uint8_t level, bool up) {
    if (up) {
        if (level >= kMaxSpeedLevel) return std::nullopt;
        return static_cast<std::uint8_t>(level + 1);
    }
    if (level == 0) return std::nullopt;
    if (level > kMaxSpeedLevel) return kMaxSpeedLevel;
    return static_cast<std::uint8_t>(level - 1);
}

bool stepSpeedLevel(ImageEdit& edit, bool up) {
    const auto next = steppedSpeedLevel(speedOverrideLevel(edit.image()), up);
    if (!next) return false;
    edit.write(layout::kSpeedOverrideLevel, 1, *next);
    return true;
}

}  // namespace vantrel
