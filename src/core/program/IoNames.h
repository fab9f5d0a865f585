#pragma once

// The I/O names tables read from "IoName.txt": the symbols the command editors
// offer, each with a readable name. 30 groups of 101 entries; a section of the
// file fills one group. Symbols and names are CP932 bytes (the editors convert
// names for display with ansiToUtf8).

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class IoNames {
public:
    static constexpr int kGroupCount = 30;
    static constexpr int kEntryCount = 101;
    static constexpr std::size_t kMaxSymbolBytes = 7;
    static constexpr std::size_t kMaxNameBytes = 19;

    struct Entry {
        std::string symbol;
        std::string name;
    };

    // Clears every group, then reads the file; a missing file leaves them empty.
    // Returns whether the file could be read.
    bool loadIoNames(const std::string& path);
    // The same from the file's bytes.
    void loadFromText(std::string_view text);
    void clear();

    // Entry `index` of group `group`; an empty entry for indexes out of range.
    const Entry& entry(int group, int index) const;
    std::string_view symbol(int group, int index) const { return entry(group, index).symbol; }
    std::string_view name(int group, int index) const { return entry(group, index).name; }
    // Entries listed by the editors: from index 0 up to the first empty symbol.
    int entryCount(int group) const;

private:
    Entry& slot(int group, int index) { return entries_[static_cast<std::size_t>(group * kEntryCount + index)]; }
    std::vector<Entry> entries_ = std::vector<Entry>(static_cast<std::size_t>(kGroupCount * kEntryCount));
};

}  // namespace vantrel
