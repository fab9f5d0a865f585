#pragma once

// Helpers of the simulator tests: request frames built by hand as the PC
// builds them, reply checks, and a PC-side decoding of the settings read.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "data/SettingsImage.h"
#include "link/FrameCrc.h"

namespace vantrel::simtest {

using Bytes = std::vector<std::uint8_t>;

inline std::uint16_t u16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8)); }
inline std::uint32_t u32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at)) | (static_cast<std::uint32_t>(b.at(at + 1)) << 8) |
           (static_cast<std::uint32_t>(b.at(at + 2)) << 16) | (static_cast<std::uint32_t>(b.at(at + 3)) << 24);
}
inline std::int32_t s32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(u32(b, at)); }
inline std::uint32_t be(const Bytes& b, std::size_t at, std::size_t n) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < n; ++i) v = (v << 8) | b.at(at + i);
    return v;
}

// A request frame: zeroed, head filled, fields set by the caller, check code last.
class Request {
public:
    Request(std::uint8_t code, std::uint8_t sequence, std::size_t length) : bytes_(length, 0) {
        bytes_[0] = 0x02;
        bytes_[1] = sequence;
        bytes_[2] = static_cast<std::uint8_t>(length);
        bytes_[3] = static_cast<std::uint8_t>(length >> 8);
        bytes_[4] = code;
    }
    Request& u8(std::size_t at, std::uint8_t v) {
        bytes_.at(at) = v;
        return *this;
    }
    Request& u16(std::size_t at, std::uint16_t v) {
        bytes_.at(at) = static_cast<std::uint8_t>(v);
        bytes_.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
        return *this;
    }
    Request& u32(std::size_t at, std::uint32_t v) {
        for (std::size_t i = 0; i < 4; ++i) bytes_.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
        return *this;
    }
    Request& data(std::size_t at, const std::uint8_t* p, std::size_t n) {
        if (n > 0) std::memcpy(&bytes_.at(at), p, n);
        return *this;
    }
    Bytes frame() const {
        Bytes out = bytes_;
        const std::size_t n = out.size();
        const std::uint16_t crc = FrameCrc::compute(out.data(), n - 2);
        out[n - 2] = static_cast<std::uint8_t>(crc);
        out[n - 1] = static_cast<std::uint8_t>(crc >> 8);
        return out;
    }
    operator Bytes() const { return frame(); }

private:
    Bytes bytes_;
};

// The frames of the requests the PC sends.
inline Bytes identify(std::uint8_t seq) { return Request(0x00, seq, 36); }
inline Bytes readSettings(std::uint8_t seq, std::uint32_t phase) { return Request(0x01, seq, 40).u32(32, phase); }
inline Bytes readProgram(std::uint8_t seq, std::uint32_t phase) { return Request(0x05, seq, 40).u32(32, phase).u16(36, 1); }
inline Bytes writeValue(std::uint8_t seq, std::uint32_t address, std::uint16_t size, std::uint32_t value) {
    return Request(0x07, seq, 48).u32(32, address).u16(36, size).u32(40, value);
}
inline Bytes readValue(std::uint8_t seq, std::uint32_t address, std::uint16_t size) {
    return Request(0x09, seq, 40).u32(32, address).u16(36, size);
}
inline Bytes writeParameter(std::uint8_t seq, std::uint32_t address, std::uint16_t size, std::uint32_t value) {
    return Request(0x0D, seq, 48).u32(32, address).u16(36, size).u32(40, value);
}
inline Bytes initialise(std::uint8_t seq, std::uint8_t scope) { return Request(0x13, seq, 36).u8(32, scope); }
inline Bytes alarmRecord(std::uint8_t seq) { return Request(0x19, seq, 36); }
inline Bytes flashStep(std::uint8_t seq, std::uint8_t step) { return Request(0xC1, seq, 36).u8(32, step); }
inline Bytes programPiece(std::uint8_t seq, std::uint16_t count, std::uint16_t index, const std::string& piece) {
    return Request(0x03, seq, 40 + piece.size())
        .u16(32, count)
        .u16(34, index)
        .u16(36, static_cast<std::uint16_t>(piece.size()))
        .data(38, reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size());
}
inline Bytes settingsBlock(std::uint8_t seq, std::uint16_t count, std::uint16_t index, std::uint8_t area,
                           const std::uint8_t* data, std::size_t n) {
    return Request(0x15, seq, 41 + n).u16(32, count).u16(34, index).u16(36, static_cast<std::uint16_t>(n)).u8(38, area).data(39, data, n);
}

// Checks a fixed-size reply: length, start byte, echoed sequence, code and check code.
inline void expectReply(const Bytes& reply, std::size_t length, std::uint8_t seq, std::uint8_t code) {
    ASSERT_EQ(reply.size(), length);
    EXPECT_EQ(reply[0], 0x02);
    EXPECT_EQ(reply[1], seq);
    EXPECT_EQ(u16(reply, 2), length);
    EXPECT_EQ(reply[4], code);
    EXPECT_EQ(u16(reply, length - 2), FrameCrc::compute(reply.data(), length - 2)) << "check code";
}

// An image whose every byte is pseudo-random, so each misplaced or unswapped byte shows.
inline SettingsImage randomImage(unsigned seed) {
    SettingsImage image;
    std::mt19937 gen(seed);
    for (auto& b : image.bytes()) b = static_cast<std::uint8_t>(gen());
    image.bytes()[layout::kReservedLast] = 0;
    return image;
}

inline void swapAt(SettingsImage& img, std::size_t at, std::size_t n) {
    for (std::size_t i = 0; i < n / 2; ++i) std::swap(img.bytes()[at + i], img.bytes()[at + n - 1 - i]);
}

// The settings read as the PC performs it: phase 1 gives the pulse-axis
// records, phase 2 the controller memory, turned into the little-endian image.
inline SettingsImage decodeSettingsRead(const Bytes& phase1, const Bytes& phase2) {
    SettingsImage img;
    auto copy = [&](const Bytes& from, std::size_t at, std::size_t to, std::size_t n) {
        std::memcpy(img.data() + to, from.data() + at, n);
    };
    for (std::size_t a = 0; a < 4; ++a) copy(phase1, 288 + 256 * a, 171536 + 256 * a, 256);
    copy(phase2, 60, 172826, 1);
    for (std::size_t k = 0; k < 100; ++k) img.setU16(172580 + 2 * k, static_cast<std::uint16_t>(be(phase2, 84 + 2 * k, 2)));
    for (std::size_t k = 0; k < 8; ++k) img.setU32(172780 + 4 * k, be(phase2, 296 + 4 * k, 4));
    copy(phase2, 43600, 172812, 12);
    img.setU16(172824, static_cast<std::uint16_t>(be(phase2, 43636, 2)));
    copy(phase2, 131104, 0, 68864);
    copy(phase2, 327712, 68864, 102672);
    swapAt(img, 68868, 4);
    swapAt(img, 68872, 4);
    for (std::size_t d = 0; d < 16; ++d) {
        const std::size_t r = 68880 + 6416 * d;
        for (std::size_t k : {2, 4, 6, 8}) swapAt(img, r + k, 2);
        for (std::size_t j = 0; j < 100; ++j)
            for (std::size_t k : {4, 8, 12, 16}) swapAt(img, r + 16 + 64 * j + k, 4);
    }
    copy(phase2, 458784, 172560, 20);
    return img;
}

}  // namespace vantrel::simtest
