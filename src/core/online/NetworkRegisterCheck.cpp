#include "online/NetworkRegisterCheck.h"

#include <cmath>

#include "data/CellInput.h"
#include "data/ControllerMode.h"

namespace vantrel {
namespace {

constexpr int kSlaveCount = 16;
constexpr double kLargestRegisterValue = 65535;
constexpr double kLargestDoubleRegisterData = 8000000;

NetworkRegisterCheck refused(const char* text) {
    // A plain box: no title.
    return {std::nullopt, Refusal{text, "", MessageIcon::Warning}};
}

// The typed number, when the text is one.
std::optional<double> numberOf(const std::string& text) {
    if (!isHalfWidthNumber(text)) return std::nullopt;
    const double value = readNumber(text);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// A whole number within minimum..maximum.
std::optional<long> wholeNumberIn(const std::string& text, double minimum, double maximum) {
    const auto value = numberOf(text);
    if (!value || *value != std::trunc(*value) || *value < minimum || *value > maximum) return std::nullopt;
    return static_cast<long>(*value);
}

// The integer part of a number, when it lies within 0..65535.
std::optional<long> registerValue(const std::string& text) {
    const auto value = numberOf(text);
    if (!value) return std::nullopt;
    const double whole = std::trunc(*value);
    if (whole < 0 || whole > kLargestRegisterValue) return std::nullopt;
    return static_cast<long>(whole);
}

}  // namespace

NetworkRegisterCheck checkNetworkRegisterRequest(const NetworkRegisterForm& form, std::uint16_t modeWord,
                                                 const SettingsImage& image) {
    if (modeWord != static_cast<std::uint16_t>(ControllerMode::EditTest)) return refused(kManualModeMessage);
    const auto slave = wholeNumberIn(form.slave, 1, kSlaveCount);
    if (!slave) return refused(kSlaveRangeMessage);
    if (ConstNetworkDriverRecord(image, static_cast<int>(*slave) - 1).model() == 0)
        return refused(kSlaveNotConnectedMessage);

    NetworkRegisterRequest request;
    request.slave = static_cast<std::uint8_t>(*slave);
    request.function = static_cast<std::uint8_t>(form.function);
    switch (form.function) {
        case NetworkRegisterRequest::kDiagnostics: {
            const auto data = registerValue(form.data);
            if (!data) return refused(kDiagnosticsDataRangeMessage);
            request.registerAddress = 0;
            request.registerCount = 1;
            request.data = static_cast<std::int32_t>(*data);
            return {request, std::nullopt};
        }
        case NetworkRegisterRequest::kReadRegisters:
        case NetworkRegisterRequest::kWriteRegisters: break;
        default: return {};
    }
    const auto address = wholeNumberIn(form.registerAddress, 0, kLargestRegisterValue);
    if (!address) return refused(kRegisterAddressRangeMessage);
    const auto count = wholeNumberIn(form.registerCount, 1, 2);
    if (!count) return refused(kRegisterCountRangeMessage);
    request.registerAddress = static_cast<std::uint16_t>(*address);
    request.registerCount = static_cast<std::uint16_t>(*count);
    if (form.function == NetworkRegisterRequest::kReadRegisters) return {request, std::nullopt};

    if (*count == 1) {
        const auto data = registerValue(form.data);
        if (!data) return refused(kSingleRegisterDataRangeMessage);
        request.data = static_cast<std::int32_t>(*data);
        return {request, std::nullopt};
    }
    const auto data = numberOf(form.data);
    if (!data || *data < -kLargestDoubleRegisterData || *data > kLargestDoubleRegisterData)
        return refused(kDoubleRegisterDataRangeMessage);
    if (*data != std::trunc(*data)) return refused(kWholeDataMessage);
    request.data = static_cast<std::int32_t>(*data);
    return {request, std::nullopt};
}

std::int32_t shownRegisterData(std::uint8_t function, std::uint16_t count, std::int32_t data) {
    if (function == NetworkRegisterRequest::kWriteRegisters) return 0;
    const bool oneRegister = (function == NetworkRegisterRequest::kReadRegisters ||
                              function == NetworkRegisterRequest::kDiagnostics) &&
                             count == 1;
    return oneRegister ? static_cast<std::int32_t>(static_cast<std::uint32_t>(data) & 0xFFFFu) : data;
}

}  // namespace vantrel
