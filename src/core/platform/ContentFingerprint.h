#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vantrel {

// A 64-bit fingerprint of a block of bytes, to notice that a block changed
// (or was damaged) without keeping a copy of it. Not a cryptographic hash:
// it guards against accidents, not against an attacker. A change of one
// 8-byte word always changes it; it reads several gigabytes per second.
std::uint64_t contentFingerprint(const void* data, std::size_t size);
inline std::uint64_t contentFingerprint(std::string_view bytes) {
    return contentFingerprint(bytes.data(), bytes.size());
}

}  // namespace vantrel
