#pragma once

// The memory of the simulated controller: a flat 512 KiB space (settings,
// timers, counters, network address, position blocks, network drivers, live
// network values, flag words) and the separate pulse-axis parameter space of
// the 0x0D request (axis a = 0..3 at 2048 * a + 256, 256 bytes each).
//
// The controller keeps regions B, C, F, G and I big-endian and regions A, D and
// E byte for byte as the settings image holds them; loadImage/toImage convert
// between its memory and the PC's little-endian settings image.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "data/SettingsImage.h"

namespace vantrel {

class ControllerMemory {
public:
    static constexpr std::uint32_t kSize = 0x80000;
    static constexpr std::uint32_t kParameterSize = 4 * 2048;

    // Controller addresses of the regions.
    static constexpr std::uint32_t kSpeedLevel = 28;
    static constexpr std::uint32_t kTimers = 52;
    static constexpr std::uint32_t kCounters = 264;
    static constexpr std::uint32_t kEthernet = 0xAA30;
    static constexpr std::uint32_t kEthernetPort = 0xAA54;
    static constexpr std::uint32_t kPositions = 0x20000;
    static constexpr std::uint32_t kPositionsSize = 68864;
    static constexpr std::uint32_t kNetwork = 0x50000;
    static constexpr std::uint32_t kNetworkSize = 102672;
    static constexpr std::uint32_t kLiveValues = 0x69110;  // up to 0x69130
    static constexpr std::uint32_t kFlagWords = 0x70000;
    static constexpr std::uint32_t kFlagWordsSize = 20;
    static constexpr std::uint32_t kParameterStride = 2048;
    static constexpr std::uint32_t kParameterBase = 256;
    static constexpr std::uint32_t kParameterRecordSize = 256;

    ControllerMemory();

    // Raw bytes; a range that leaves the space reads or writes nothing and gives false.
    bool read(std::uint32_t address, std::uint8_t* out, std::size_t count) const;
    bool write(std::uint32_t address, const std::uint8_t* bytes, std::size_t count);
    const std::uint8_t* bytes() const { return memory_.data(); }
    bool readParameters(std::uint32_t address, std::uint8_t* out, std::size_t count) const;
    bool writeParameters(std::uint32_t address, const std::uint8_t* bytes, std::size_t count);

    // Whether the controller keeps multi-byte items at `address` most significant byte first.
    static bool isBigEndian(std::uint32_t address);
    // A single value of 1..4 bytes in the controller's order at that address.
    bool writeValue(std::uint32_t address, std::size_t size, std::uint32_t value);
    std::optional<std::uint32_t> readValue(std::uint32_t address, std::size_t size) const;
    // Pulse-axis parameters are byte-for-byte copies of the image: little-endian.
    bool writeParameterValue(std::uint32_t address, std::size_t size, std::uint32_t value);
    // Whether `address .. address + size - 1` lies inside one pulse-axis parameter record.
    static bool isParameterRange(std::uint32_t address, std::size_t size);

    // Takes every field of the settings image into memory (reserved byte excepted).
    void loadImage(const SettingsImage& image);
    // The controller's settings as the PC's image; the reserved last byte is 0.
    SettingsImage toImage() const;

    // Reverses the byte order of the 2- and 4-byte fields of the network area
    // (regions B and C as one block of kNetworkSize bytes), in place; its own inverse.
    static void swapNetworkArea(std::uint8_t* area);

private:
    std::vector<std::uint8_t> memory_;
    std::vector<std::uint8_t> parameters_;
};

}  // namespace vantrel
