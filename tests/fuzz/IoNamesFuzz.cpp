// Any bytes as IoName.txt: no crash, every entry within its field.
//
// Only entry lines write entries, one each, counting from entry 0 of a group,
// and loading clears every entry first. So an entry that breaks its field can
// only be among the first entries of a group, at most as many as the input
// has lines (also when a line lands in the wrong group or past the end of its
// own). Only those are checked: checking all 6,060 entries after every input
// took most of the fuzzer's time.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "program/IoNames.h"

using namespace vantrel;

namespace {

// Not instrumented for coverage: the check is no part of what the fuzzer
// explores, and its comparisons would only cost time and add noise.
__attribute__((no_sanitize("coverage"))) void checkEntries(const IoNames& names, const std::uint8_t* data,
                                                           std::size_t size) {
    std::size_t lines = 1;
    for (const void* p = std::memchr(data, '\n', size); p != nullptr;
         p = std::memchr(static_cast<const std::uint8_t*>(p) + 1, '\n', size - (static_cast<const std::uint8_t*>(p) + 1 - data)))
        ++lines;
    const int reach = static_cast<int>(std::min<std::size_t>(lines, IoNames::kEntryCount));
    for (int group = 0; group < IoNames::kGroupCount; ++group) {
        for (int i = 0; i < reach; ++i) {
            const IoNames::Entry& entry = names.entry(group, i);
            if (entry.symbol.size() > IoNames::kMaxSymbolBytes || entry.name.size() > IoNames::kMaxNameBytes) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static IoNames names;
    names.loadFromText(std::string_view(reinterpret_cast<const char*>(data), size));
    checkEntries(names, data, size);
    return 0;
}
