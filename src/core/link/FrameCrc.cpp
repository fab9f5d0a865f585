#include "link/FrameCrc.h"

#include <array>

namespace vantrel {
namespace {

constexpr std::array<std::uint16_t, 256> makeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i << 8;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x8000) ? ((crc << 1) ^ 0x1021) : (crc << 1);
        table[i] = static_cast<std::uint16_t>(crc & 0xFFFF);
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> makeReverse() {
    std::array<std::uint8_t, 256> rev{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned r = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (i & (1u << bit)) r |= 0x80u >> bit;
        rev[i] = static_cast<std::uint8_t>(r);
    }
    return rev;
}

constexpr auto kTable = makeTable();
constexpr auto kReverse = makeReverse();

}  // namespace

std::uint16_t FrameCrc::compute(const std::uint8_t* data, std::size_t length) {
    unsigned crc = 0;
    for (std::size_t i = 0; i < length; ++i)
        crc = ((crc << 8) & 0xFFFF) ^ kTable[crc >> 8] ^ kReverse[data[i]];
    return static_cast<std::uint16_t>(crc);
}

}  // namespace vantrel
