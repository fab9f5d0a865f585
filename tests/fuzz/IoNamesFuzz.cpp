// Any bytes as IoName.txt: no crash, every entry within its limits.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "program/IoNames.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static IoNames names;
    names.loadFromText(std::string_view(reinterpret_cast<const char*>(data), size));
    for (int group = 0; group < IoNames::kGroupCount; ++group) {
        if (names.entryCount(group) > IoNames::kEntryCount) std::abort();
        for (int i = 0; i < IoNames::kEntryCount; ++i) {
            if (names.symbol(group, i).size() > IoNames::kMaxSymbolBytes) std::abort();
            if (names.name(group, i).size() > IoNames::kMaxNameBytes) std::abort();
        }
    }
    return 0;
}
