#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// Program numbers present in the store and their names, rebuilt by
// ProgramStore::scanDirectory from the header lines.
struct ProgramDirectory {
    static constexpr std::size_t kMaxNameBytes = 100;

    std::array<std::string, 257> names;  // CP932, indexed by program number
    std::vector<std::uint8_t> numbers;   // ascending, each once, 1..255

    int count() const { return static_cast<int>(numbers.size()); }
    bool contains(int number) const {
        for (auto n : numbers)
            if (n == number) return true;
        return false;
    }
    // Name of a program number; empty for numbers without a name or out of range.
    const std::string& name(int number) const {
        static const std::string none;
        return number >= 0 && number < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(number)] : none;
    }
    void clear() {
        for (auto& n : names) n.clear();
        numbers.clear();
    }
};

}  // namespace vantrel
