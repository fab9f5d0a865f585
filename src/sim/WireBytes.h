#pragma once

// Reading and writing fixed-width integers in byte buffers, in both byte
// orders. Frame fields are little-endian; parts of the controller memory are
// big-endian.

#include <cstddef>
#include <cstdint>

namespace vantrel::wire {

inline std::uint16_t getU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t getU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void putU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void putU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The low `size` bytes (1..4) of `value`, least significant first.
inline void putLittle(std::uint8_t* p, std::size_t size, std::uint32_t value) {
    for (std::size_t i = 0; i < size; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
// The low `size` bytes (1..4) of `value`, most significant first.
inline void putBig(std::uint8_t* p, std::size_t size, std::uint32_t value) {
    for (std::size_t i = 0; i < size; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * (size - 1 - i)));
}
inline std::uint32_t getLittle(const std::uint8_t* p, std::size_t size) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < size; ++i) v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return v;
}
inline std::uint32_t getBig(const std::uint8_t* p, std::size_t size) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < size; ++i) v = (v << 8) | p[i];
    return v;
}

// Reverses `size` bytes in place (turns a big-endian item little-endian and back).
inline void swapBytes(std::uint8_t* p, std::size_t size) {
    for (std::size_t i = 0; i < size / 2; ++i) {
        std::uint8_t t = p[i];
        p[i] = p[size - 1 - i];
        p[size - 1 - i] = t;
    }
}

}  // namespace vantrel::wire
