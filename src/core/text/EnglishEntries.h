#pragma once

#include <string_view>
#include <vector>

namespace vantrel {

// One of the system's own texts, as the core and the tool write it, and its English.
struct EnglishEntry {
    std::string_view japanese;
    std::string_view english;
};

const std::vector<EnglishEntry>& englishEntries();

}  // namespace vantrel
