#include "sim/ControllerMemory.h"

#include <cstring>

#include "data/ByteOrder.h"

namespace vantrel {

namespace {

bool inside(std::uint64_t address, std::size_t count, std::size_t spaceSize) {
    return address + count <= spaceSize;
}

}  // namespace

ControllerMemory::ControllerMemory() : memory_(kSize, 0), parameters_(kParameterSize, 0) {}

bool ControllerMemory::read(std::uint32_t address, std::uint8_t* out, std::size_t count) const {
    if (!inside(address, count, memory_.size())) return false;
    if (count > 0) std::memcpy(out, &memory_[address], count);
    return true;
}

bool ControllerMemory::write(std::uint32_t address, const std::uint8_t* bytes, std::size_t count) {
    if (!inside(address, count, memory_.size())) return false;
    if (count > 0) std::memcpy(&memory_[address], bytes, count);
    return true;
}

bool ControllerMemory::readParameters(std::uint32_t address, std::uint8_t* out, std::size_t count) const {
    if (!inside(address, count, parameters_.size())) return false;
    if (count > 0) std::memcpy(out, &parameters_[address], count);
    return true;
}

bool ControllerMemory::writeParameters(std::uint32_t address, const std::uint8_t* bytes, std::size_t count) {
    if (!inside(address, count, parameters_.size())) return false;
    if (count > 0) std::memcpy(&parameters_[address], bytes, count);
    return true;
}

bool ControllerMemory::isBigEndian(std::uint32_t address) {
    // Position blocks and flag words are copies of the image; everything else
    // (timers, counters, network address and port, network drivers, live
    // values) is the controller's own big-endian order.
    if (address >= kPositions && address < kNetwork) return false;
    if (address >= kFlagWords) return false;
    return true;
}

bool ControllerMemory::writeValue(std::uint32_t address, std::size_t size, std::uint32_t value) {
    if (size < 1 || size > 4 || !inside(address, size, memory_.size())) return false;
    if (isBigEndian(address))
        writeBE(&memory_[address], size, value);
    else
        writeLE(&memory_[address], size, value);
    return true;
}

std::optional<std::uint32_t> ControllerMemory::readValue(std::uint32_t address, std::size_t size) const {
    if (size < 1 || size > 4 || !inside(address, size, memory_.size())) return std::nullopt;
    return isBigEndian(address) ? readBE(&memory_[address], size) : readLE(&memory_[address], size);
}

bool ControllerMemory::isParameterRange(std::uint32_t address, std::size_t size) {
    if (size < 1 || size > 4 || address >= kParameterSize) return false;
    std::uint32_t inRecord = address % kParameterStride;
    return inRecord >= kParameterBase && inRecord + size <= kParameterBase + kParameterRecordSize;
}

bool ControllerMemory::writeParameterValue(std::uint32_t address, std::size_t size, std::uint32_t value) {
    if (!isParameterRange(address, size)) return false;
    writeLE(&parameters_[address], size, value);
    return true;
}

void ControllerMemory::swapNetworkArea(std::uint8_t* area) {
    // Region B: communication wait time and time-out.
    reverseBytes(area + 4, 4);
    reverseBytes(area + 8, 4);
    for (std::size_t d = 0; d < layout::kNetworkDriverCount; ++d) {
        std::uint8_t* driver = area + layout::kNetworkCommParamsSize + layout::kNetworkDriverSize * d;
        for (std::size_t k : {2, 4, 6, 8}) reverseBytes(driver + k, 2);
        for (std::size_t j = 0; j < layout::kNetworkPointCount; ++j) {
            std::uint8_t* point = driver + layout::kNetworkPointsStart + layout::kNetworkPointSize * j;
            for (std::size_t k : {4, 8, 12, 16}) reverseBytes(point + k, 4);
        }
    }
}

void ControllerMemory::loadImage(const SettingsImage& image) {
    const std::uint8_t* img = image.data();
    memory_[kSpeedLevel] = img[layout::kSpeedOverrideLevel];
    for (std::size_t k = 0; k < layout::kTimerCount; ++k)
        writeBE(&memory_[kTimers + 2 * k], 2, image.u16(layout::kTimers + 2 * k));
    for (std::size_t k = 0; k < layout::kCounterCount; ++k)
        writeBE(&memory_[kCounters + 4 * k], 4, image.u32(layout::kCounters + 4 * k));
    std::memcpy(&memory_[kEthernet], img + layout::kEthernet, 12);
    writeBE(&memory_[kEthernetPort], 2, image.u16(layout::kEthernetPort));
    std::memcpy(&memory_[kPositions], img + layout::kPositionBlocks, kPositionsSize);
    std::memcpy(&memory_[kNetwork], img + layout::kNetworkCommParams, kNetworkSize);
    swapNetworkArea(&memory_[kNetwork]);
    std::memcpy(&memory_[kFlagWords], img + layout::kFlagWords, kFlagWordsSize);
    for (std::size_t a = 0; a < layout::kPulseAxisCount; ++a)
        std::memcpy(&parameters_[kParameterStride * a + kParameterBase], img + layout::kPulseAxes + layout::kPulseAxisSize * a,
                    kParameterRecordSize);
}

SettingsImage ControllerMemory::toImage() const {
    SettingsImage image;
    std::uint8_t* img = image.data();
    img[layout::kSpeedOverrideLevel] = memory_[kSpeedLevel];
    for (std::size_t k = 0; k < layout::kTimerCount; ++k)
        image.setU16(layout::kTimers + 2 * k, static_cast<std::uint16_t>(readBE(&memory_[kTimers + 2 * k], 2)));
    for (std::size_t k = 0; k < layout::kCounterCount; ++k)
        image.setU32(layout::kCounters + 4 * k, readBE(&memory_[kCounters + 4 * k], 4));
    std::memcpy(img + layout::kEthernet, &memory_[kEthernet], 12);
    image.setU16(layout::kEthernetPort, static_cast<std::uint16_t>(readBE(&memory_[kEthernetPort], 2)));
    std::memcpy(img + layout::kPositionBlocks, &memory_[kPositions], kPositionsSize);
    std::memcpy(img + layout::kNetworkCommParams, &memory_[kNetwork], kNetworkSize);
    swapNetworkArea(img + layout::kNetworkCommParams);
    std::memcpy(img + layout::kFlagWords, &memory_[kFlagWords], kFlagWordsSize);
    for (std::size_t a = 0; a < layout::kPulseAxisCount; ++a)
        std::memcpy(img + layout::kPulseAxes + layout::kPulseAxisSize * a, &parameters_[kParameterStride * a + kParameterBase],
                    kParameterRecordSize);
    return image;
}

}  // namespace vantrel
