#pragma once

// Fixed-width integers in byte buffers, in both byte orders. Frame fields are
// little-endian; parts of the controller's memory are big-endian.

#include <cstddef>
#include <cstdint>

namespace vantrel {

inline std::uint16_t readU16LE(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t readU32LE(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint16_t readU16BE(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }
inline std::uint32_t readU32BE(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}
inline void writeU16LE(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void writeU32LE(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The low `size` bytes (1..4) of a value, least significant first.
inline std::uint32_t readLE(const std::uint8_t* p, std::size_t size) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < size; ++i) v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return v;
}
inline void writeLE(std::uint8_t* p, std::size_t size, std::uint32_t value) {
    for (std::size_t i = 0; i < size; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
// The low `size` bytes (1..4) of a value, most significant first.
inline std::uint32_t readBE(const std::uint8_t* p, std::size_t size) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < size; ++i) v = (v << 8) | p[i];
    return v;
}
inline void writeBE(std::uint8_t* p, std::size_t size, std::uint32_t value) {
    for (std::size_t i = 0; i < size; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * (size - 1 - i)));
}

// Reverses `size` bytes in place (turns a big-endian item little-endian and back).
inline void reverseBytes(std::uint8_t* p, std::size_t size) {
    for (std::size_t i = 0; i < size / 2; ++i) {
        const std::uint8_t t = p[i];
        p[i] = p[size - 1 - i];
        p[size - 1 - i] = t;
    }
}

}  // namespace vantrel
