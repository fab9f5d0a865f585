#include "online/RegisterTest.h"

#include <cmath>

#include "data/CellInput.h"
#include "data/ControllerMode.h"
#include "data/ProgramTitle.h"

namespace vantrel {
namespace {

constexpr const char* kManualModeMessage = "手動モードにしてください";
constexpr const char* kSlaveRangeMessage = "スレーブアドレスは1～16の範囲にしてください。";
constexpr const char* kNoDriverMessage = "指定したスレーブアドレスはドライバが未接続です。";
constexpr const char* kAddressRangeMessage = "レジスタアドレスは0～65535の範囲にしてください。";
constexpr const char* kCountRangeMessage = "レジスタ数は1～2の範囲にしてください。";
constexpr const char* kDiagnosticsDataMessage = "診断のデータは0～65535の範囲にしてください。";
constexpr const char* kSingleWriteDataMessage = "レジスタ数1の書込みデータは0～65535の範囲にしてください。";
constexpr const char* kDoubleWriteRangeMessage = "データは-8000000～8000000の範囲にしてください";
constexpr const char* kDoubleWriteWholeMessage = "データは整数で入力してください。";

constexpr std::uint32_t kReplySlave = 0x69110;
constexpr std::uint32_t kReplyFunction = 0x69111;
constexpr std::uint32_t kReplyAddress = 0x69114;
constexpr std::uint32_t kReplyCount = 0x69116;
constexpr std::uint32_t kReplyData = 0x69118;

RegisterCheck refused(const char* message) { return {std::nullopt, Refusal{message, kProgramTitle, MessageIcon::Warning}}; }

// The integer value of a typed number when it lies in minimum..maximum; a
// text that is no number (digits, one point, a blank or sign in front only)
// has none.
std::optional<std::int32_t> integerIn(const std::string& text, double minimum, double maximum) {
    if (!isHalfWidthNumber(text)) return std::nullopt;
    const double whole = std::trunc(readNumber(text));
    if (!(whole >= minimum && whole <= maximum)) return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

}  // namespace

RegisterCheck checkRegisterRequest(const RegisterTestFields& fields, std::uint16_t modeWord, const SettingsImage& image) {
    if (modeWord != static_cast<std::uint16_t>(ControllerMode::EditTest)) return refused(kManualModeMessage);
    const auto slave = integerIn(fields.slave, 1, layout::kNetworkDriverCount);
    if (!slave) return refused(kSlaveRangeMessage);
    if (ConstNetworkDriverRecord(image, *slave - 1).model() == 0) return refused(kNoDriverMessage);

    NetworkRegisterRequest request;
    request.slave = static_cast<std::uint8_t>(*slave);
    request.function = fields.function;
    switch (fields.function) {
    case NetworkRegisterRequest::kReadRegisters:
    case NetworkRegisterRequest::kWriteRegisters: {
        const auto address = integerIn(fields.registerAddress, 0, 65535);
        if (!address) return refused(kAddressRangeMessage);
        const auto count = integerIn(fields.registerCount, 1, 2);
        if (!count) return refused(kCountRangeMessage);
        request.registerAddress = static_cast<std::uint16_t>(*address);
        request.registerCount = static_cast<std::uint16_t>(*count);
        if (fields.function == NetworkRegisterRequest::kReadRegisters) break;
        if (*count == 1) {
            const auto data = integerIn(fields.data, 0, 65535);
            if (!data) return refused(kSingleWriteDataMessage);
            request.data = *data;
            break;
        }
        if (!isHalfWidthNumber(fields.data)) return refused(kDoubleWriteRangeMessage);
        const double value = readNumber(fields.data);
        if (!(value >= -8000000.0 && value <= 8000000.0)) return refused(kDoubleWriteRangeMessage);
        if (value != std::trunc(value)) return refused(kDoubleWriteWholeMessage);
        request.data = static_cast<std::int32_t>(value);
        break;
    }
    case NetworkRegisterRequest::kDiagnostics: {
        const auto data = integerIn(fields.data, 0, 65535);
        if (!data) return refused(kDiagnosticsDataMessage);
        request.registerAddress = 0;
        request.registerCount = 1;
        request.data = *data;
        break;
    }
    default: return {};  // the drop-down offers no other function
    }
    return {request, std::nullopt};
}

bool placeRegisterRequest(ControllerLink& link, const NetworkRegisterRequest& request) {
    if (!link.isOpen()) return false;
    link.setNetworkRegisterRequest(request);
    return true;
}

void queueRegisterReplyReads(RequestQueues& queues) {
    queues.queueValueRead(kReplySlave, 1);
    queues.queueValueRead(kReplyFunction, 1);
    queues.queueValueRead(kReplyAddress, 2);
    queues.queueValueRead(kReplyCount, 2);
    queues.queueValueRead(kReplyData, 4);
}

RegisterReplyText registerReplyText(const ControllerStatus& status) {
    const std::uint8_t function = status.registerReplyFunction();
    const std::uint16_t count = status.registerReplyCount();
    std::int32_t data = status.registerReplyData();
    if (function == NetworkRegisterRequest::kWriteRegisters)
        data = 0;
    else if ((function == NetworkRegisterRequest::kReadRegisters || function == NetworkRegisterRequest::kDiagnostics) && count == 1)
        data = static_cast<std::int32_t>(static_cast<std::uint32_t>(data) & 0xFFFFu);
    return {std::to_string(status.registerReplySlave()), std::to_string(function),
            std::to_string(status.registerReplyAddress()), std::to_string(count), std::to_string(data)};
}

RegisterFieldStates registerFieldStates(std::uint8_t function) {
    switch (function) {
    case NetworkRegisterRequest::kReadRegisters: return {true, false};
    case NetworkRegisterRequest::kDiagnostics: return {false, true};
    default: return {true, true};
    }
}

}  // namespace vantrel
