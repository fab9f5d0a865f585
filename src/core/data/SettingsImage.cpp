#include "data/SettingsImage.h"

namespace vantrel {

std::optional<std::uint32_t> controllerAddress(std::size_t offset) {
    using namespace layout;
    if (offset < kNetworkCommParams) return address::kPositionBlocks + static_cast<std::uint32_t>(offset);
    if (offset < kPulseAxes) return address::kNetwork + static_cast<std::uint32_t>(offset - kNetworkCommParams);
    if (offset < kFlagWords) {
        const std::size_t rel = offset - kPulseAxes;
        const auto axis = static_cast<std::uint32_t>(rel / kPulseAxisSize);
        const auto k = static_cast<std::uint32_t>(rel % kPulseAxisSize);
        return address::kPulseAxisStride * axis + address::kPulseAxisBase + k;
    }
    if (offset < kTimers) return address::kFlagWords + static_cast<std::uint32_t>(offset - kFlagWords);
    if (offset < kCounters) return address::kTimers + static_cast<std::uint32_t>(offset - kTimers);
    if (offset < kEthernet) return address::kCounters + static_cast<std::uint32_t>(offset - kCounters);
    if (offset < kEthernetPort) return address::kEthernet + static_cast<std::uint32_t>(offset - kEthernet);
    if (offset < kSpeedOverrideLevel) return address::kEthernetPort + static_cast<std::uint32_t>(offset - kEthernetPort);
    if (offset == kSpeedOverrideLevel) return address::kSpeedOverrideLevel;
    return std::nullopt;
}

std::optional<std::size_t> pulseAxisOffsetOfAddress(std::uint32_t addr) {
    const std::uint32_t axis = addr / address::kPulseAxisStride;
    const std::uint32_t within = addr % address::kPulseAxisStride;
    if (axis >= static_cast<std::uint32_t>(layout::kPulseAxisCount) || within < address::kPulseAxisBase ||
        within >= address::kPulseAxisBase + layout::kPulseAxisSize)
        return std::nullopt;
    return layout::kPulseAxes + layout::kPulseAxisSize * axis + (within - address::kPulseAxisBase);
}

std::uint8_t SettingsImage::u8(std::size_t offset) const {
    return offset < kSize ? bytes_[offset] : 0;
}

std::uint16_t SettingsImage::u16(std::size_t offset) const {
    return static_cast<std::uint16_t>(value(offset, 2, false));
}

std::uint32_t SettingsImage::u32(std::size_t offset) const {
    return static_cast<std::uint32_t>(value(offset, 4, false));
}

void SettingsImage::setU8(std::size_t offset, std::uint8_t v) { setValue(offset, 1, v); }
void SettingsImage::setU16(std::size_t offset, std::uint16_t v) { setValue(offset, 2, v); }
void SettingsImage::setU32(std::size_t offset, std::uint32_t v) { setValue(offset, 4, static_cast<std::int32_t>(v)); }

void SettingsImage::setValue(std::size_t offset, int size, std::int32_t v) {
    if (size < 1 || size > 4 || offset > kSize || kSize - offset < static_cast<std::size_t>(size)) return;
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < size; ++i) {
        bytes_[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(u & 0xFF);
        u >>= 8;
    }
}

std::int32_t SettingsImage::value(std::size_t offset, int size, bool isSigned) const {
    if (size < 1 || size > 4 || offset > kSize || kSize - offset < static_cast<std::size_t>(size)) return 0;
    std::uint32_t u = 0;
    for (int i = size - 1; i >= 0; --i) u = (u << 8) | bytes_[offset + static_cast<std::size_t>(i)];
    if (isSigned && size < 4) {
        const std::uint32_t sign = 1u << (8 * size - 1);
        if (u & sign) u |= ~((sign << 1) - 1);
    }
    return static_cast<std::int32_t>(u);
}

std::optional<std::size_t> SettingsImage::positionRecordOffset(int axis, int index) {
    if (axis < 0 || axis >= layout::kPulseAxisCount || index < 0 || index >= layout::kPositionCount) return std::nullopt;
    return layout::kPositionBlocks + layout::kPositionBlockSize * static_cast<std::size_t>(axis) +
           layout::kPositionRecordsStart + layout::kPositionRecordSize * static_cast<std::size_t>(index);
}

std::int32_t SettingsImage::readPosition(int axis, int index) const {
    const auto record = positionRecordOffset(axis, index);
    if (!record) return NOT_SET_POSITION;
    const auto v = static_cast<std::uint32_t>(value(*record + 3, 3, false));
    if (v == static_cast<std::uint32_t>(NOT_SET_POSITION)) return NOT_SET_POSITION;
    return (v & 0x800000u) ? static_cast<std::int32_t>(v) - 0x1000000 : static_cast<std::int32_t>(v);
}

void SettingsImage::writePosition(int axis, int index, std::int32_t v) {
    const auto record = positionRecordOffset(axis, index);
    if (!record) return;
    setValue(*record + 3, 3, v);
}

}  // namespace vantrel
