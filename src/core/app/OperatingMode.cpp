#include "app/OperatingMode.h"

namespace vantrel {

std::string modeText(std::uint16_t modeWord) {
    const std::string_view name = controllerModeName(modeWord);
    return name.empty() ? std::string("エラー") : std::string(name);
}

}  // namespace vantrel
