#include "platform/ContentFingerprint.h"

#include <cstring>

namespace vantrel {

namespace {
constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;  // odd: each step is a bijection

std::uint64_t load64(const unsigned char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

std::uint64_t mixed(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
}
}  // namespace

std::uint64_t contentFingerprint(const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    // Four independent lanes keep the multiplier busy instead of waiting on
    // one long chain.
    std::uint64_t lanes[4] = {1, 2, 3, 4};
    std::size_t i = 0;
    for (; i + 32 <= size; i += 32) {
        for (int k = 0; k < 4; ++k) lanes[k] = (lanes[k] ^ load64(p + i + 8 * k)) * kMultiplier;
    }
    std::uint64_t h = size;
    for (const std::uint64_t lane : lanes) h = (h ^ mixed(lane)) * kMultiplier;
    for (; i + 8 <= size; i += 8) h = (h ^ load64(p + i)) * kMultiplier;
    std::uint64_t tail = 0;
    for (std::size_t k = 0; i < size; ++i, ++k) tail |= static_cast<std::uint64_t>(p[i]) << (8 * k);
    return mixed((h ^ tail) * kMultiplier);
}

}  // namespace vantrel
