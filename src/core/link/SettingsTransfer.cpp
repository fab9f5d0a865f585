#include "link/SettingsTransfer.h"

#include <algorithm>

#include "data/ByteOrder.h"

namespace vantrel {
namespace {

// Offsets of the pulse-axis records in the reply to phase 1.
constexpr std::size_t kPhase1AxisRecords = 288;
// The four 16-bit words at the head of a network driver record (+2 .. +8) that
// the controller keeps big-endian.
constexpr std::size_t kDriverWordFirst = NetworkDriverRecord::kRatio1;
constexpr std::size_t kDriverWordLast = 8;
// Sensor logic bytes within the flag words.
constexpr std::uint32_t kSensorLogicFirst = 4;
constexpr std::uint32_t kSensorLogicCount = 4;
constexpr std::uint32_t kEthernetAddressCount = 3;  // IP address, subnet mask, gateway

// Swaps the bytes of the 2- or 4-byte item at `offset` in place.
void swapInPlace(SettingsImage& image, std::size_t offset, std::size_t size) {
    std::reverse(image.data() + offset, image.data() + offset + size);
}

void copyInto(SettingsImage& image, std::size_t imageOffset, const std::uint8_t* from, std::size_t count) {
    std::copy_n(from, count, image.data() + imageOffset);
}

}  // namespace

SettingsAreaSpan settingsAreaSpan(SettingsArea area) {
    using namespace layout;
    switch (area) {
        case SettingsArea::PulseAxes: return {kPulseAxes, kPulseAxisSize * kPulseAxisCount};
        case SettingsArea::Positions: return {kPositionBlocks, kNetworkCommParams - kPositionBlocks};
        case SettingsArea::Network: return {kNetworkCommParams, kPulseAxes - kNetworkCommParams};
    }
    return {0, 0};
}

std::size_t settingsBlockCount(SettingsArea area) {
    return (settingsAreaSpan(area).size + kSettingsBlockSize - 1) / kSettingsBlockSize;
}

void applyPulseAxisPhase(const std::uint8_t* buffer, SettingsImage& image) {
    for (std::size_t a = 0; a < static_cast<std::size_t>(layout::kPulseAxisCount); ++a)
        copyInto(image, layout::kPulseAxes + layout::kPulseAxisSize * a,
                 buffer + kPhase1AxisRecords + layout::kPulseAxisSize * a, layout::kPulseAxisSize);
}

void applyMemoryPhase(const std::uint8_t* buffer, SettingsImage& image) {
    using namespace layout;
    // Controller memory starts after the head; address x lies at buffer x + 32.
    const std::uint8_t* memory = buffer + kBulkHeadSize;
    image.setU8(kSpeedOverrideLevel, memory[address::kSpeedOverrideLevel]);
    for (std::size_t k = 0; k < static_cast<std::size_t>(kTimerCount); ++k)
        image.setU16(kTimers + 2 * k, readU16BE(memory + address::kTimers + 2 * k));
    for (std::size_t k = 0; k < static_cast<std::size_t>(kCounterCount); ++k)
        image.setU32(kCounters + 4 * k, readU32BE(memory + address::kCounters + 4 * k));
    copyInto(image, kEthernet, memory + address::kEthernet, kEthernetPort - kEthernet);
    image.setU16(kEthernetPort, readU16BE(memory + address::kEthernetPort));
    copyInto(image, kPositionBlocks, memory + address::kPositionBlocks, kNetworkCommParams);
    copyInto(image, kNetworkCommParams, memory + address::kNetwork, kPulseAxes - kNetworkCommParams);
    swapInPlace(image, kNetworkCommParams + NetworkCommParams::kWaitTime, 4);
    swapInPlace(image, kNetworkCommParams + NetworkCommParams::kTimeout, 4);
    for (std::size_t d = 0; d < static_cast<std::size_t>(kNetworkDriverCount); ++d) {
        const std::size_t r = kNetworkDrivers + kNetworkDriverSize * d;
        for (std::size_t word = kDriverWordFirst; word <= kDriverWordLast; word += 2) swapInPlace(image, r + word, 2);
        for (std::size_t j = 0; j < static_cast<std::size_t>(kNetworkPointCount); ++j) {
            const std::size_t p = r + kNetworkPointsStart + kNetworkPointSize * j;
            for (std::size_t field : {NetworkPointRecord::kPosition, NetworkPointRecord::kSpeed,
                                      NetworkPointRecord::kAccelTime, NetworkPointRecord::kDecelTime})
                swapInPlace(image, p + field, 4);
        }
    }
    copyInto(image, kFlagWords, memory + address::kFlagWords, kFlagWordsSize);
}

void queueSettingsSingleValues(const SettingsImage& image, RequestQueues& queues) {
    using namespace layout;
    queues.queueValueWrite(address::kSpeedOverrideLevel, 1, image.u8(kSpeedOverrideLevel));
    for (std::uint32_t k = 0; k < static_cast<std::uint32_t>(kTimerCount); ++k) {
        queues.queueValueWrite(address::kTimers + 2 * k, 2, image.u16(kTimers + 2 * k));
        if (k < static_cast<std::uint32_t>(kCounterCount))
            queues.queueValueWrite(address::kCounters + 4 * k, 4, image.s32(kCounters + 4 * k));
    }
    for (std::uint32_t i = 0; i < kEthernetAddressCount; ++i) {
        const std::size_t at = kEthernet + 4 * i;
        // The controller takes the address as one number, first byte highest.
        const std::uint32_t value = readU32BE(image.data() + at);
        queues.queueValueWrite(address::kEthernet + 4 * i, 4, static_cast<std::int32_t>(value));
    }
    queues.queueValueWrite(address::kEthernetPort, 2, image.u16(kEthernetPort));
    for (std::uint32_t i = 0; i < kSensorLogicCount; ++i)
        queues.queueValueWrite(address::kFlagWords + kSensorLogicFirst + i, 1, image.u8(kFlagWords + kSensorLogicFirst + i));
}

}  // namespace vantrel
