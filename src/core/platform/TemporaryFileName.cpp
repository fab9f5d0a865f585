#include "platform/TemporaryFileName.h"

#include <atomic>
#include <chrono>

namespace vantrel {

namespace {

// The end of the decimal digits at `at` (at least one), or npos.
std::size_t digitsEnd(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    return end > at ? end : std::string_view::npos;
}

}  // namespace

std::string temporaryFileName(std::string_view targetName, unsigned long process) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return "." + std::string(targetName) + "." + std::to_string(process) + "-" + std::to_string(counter.fetch_add(1)) +
           "-" + std::to_string(static_cast<unsigned long long>(ticks) % 1000000) + ".tmp";
}

unsigned long writerOfTemporaryFile(std::string_view name, std::string_view targetName) {
    const std::string head = "." + std::string(targetName) + ".";
    constexpr std::string_view tail = ".tmp";
    if (name.size() <= head.size() + tail.size() || !name.starts_with(head) || !name.ends_with(tail)) return 0;
    const std::string_view numbers = name.substr(head.size(), name.size() - head.size() - tail.size());
    const std::size_t pidEnd = digitsEnd(numbers, 0);
    if (pidEnd >= numbers.size() || pidEnd > 9 || numbers[pidEnd] != '-') return 0;
    const std::size_t counterEnd = digitsEnd(numbers, pidEnd + 1);
    if (counterEnd >= numbers.size() || numbers[counterEnd] != '-') return 0;
    if (digitsEnd(numbers, counterEnd + 1) != numbers.size()) return 0;
    return std::stoul(std::string(numbers.substr(0, pidEnd)));
}

}  // namespace vantrel
