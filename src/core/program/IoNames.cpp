#include "program/IoNames.h"

#include <array>

#include "platform/AnsiText.h"
#include "platform/FileRead.h"

namespace vantrel {

namespace {

struct Section {
    std::string_view text;
    int group;
};

// Recognised in this order, each by its full text at the start of a line.
constexpr std::array<Section, 17> kSections = {{
    {"[IO_IN]", 0},        {"[IO_HIN]", 1},       {"[IO_SIN]", 2},       {"[IO_DIN]", 3},
    {"[IO_OUT]", 10},      {"[IO_HOUT]", 11},     {"[IO_DOUT]", 12},     {"[IO_LOUT1]", 14},
    {"[IO_TIMER]", 20},    {"[IO_COUNTER]", 21},  {"[IO_COUNTER2]", 22}, {"[IO_COUNTER3]", 23},
    {"[IO_COUNTER4]", 24}, {"[IO_MEMORY]", 25},   {"[IO_RIOIN]", 26},    {"[IO_RIOOUT]", 27},
    {"[IO_AXCTRL]", 28},
}};

// Far beyond any names file (17 sections of at most 200 short lines); a
// larger file is no names file and is not read.
constexpr std::size_t kMaxFileSize = 4 * 1024 * 1024;

// Entry lines are counted up to this index; only the first kEntryCount of a
// section fit into its group, the others are passed over.
constexpr int kAcceptedEntryLines = 200;

std::string_view field(std::string_view line, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != '\t' && line[pos] != '\r') ++pos;
    const std::string_view text = line.substr(start, pos - start);
    if (pos < line.size()) ++pos;
    return text;
}

}  // namespace

void IoNames::clear() {
    for (auto& e : entries_) {
        e.symbol.clear();
        e.name.clear();
    }
}

bool IoNames::loadIoNames(const std::string& path) {
    clear();
    const FileContent file = readFile(path, kMaxFileSize);
    if (!file) return false;
    loadFromText(file.bytes);
    return true;
}

void IoNames::loadFromText(std::string_view text) {
    clear();
    int group = 0;
    int index = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t lf = text.find('\n', pos);
        if (lf == std::string_view::npos) lf = text.size();
        std::string_view line = text.substr(pos, lf - pos);
        pos = lf + 1;
        if (!line.empty() && line.back() == '\r' && line.size() > 1) line.remove_suffix(1);

        if (line.empty() || line.substr(0, 2) == "//") continue;
        bool isSection = false;
        for (const Section& s : kSections) {
            if (line.substr(0, s.text.size()) == s.text) {
                group = s.group;
                index = 0;
                isSection = true;
                break;
            }
        }
        if (isSection || line[0] == '[' || line[0] == '\r') continue;
        if (index >= kAcceptedEntryLines) continue;
        if (index < kEntryCount) {
            std::size_t at = 0;
            const std::string_view symbol = field(line, at);
            const std::string_view name = at < line.size() ? field(line, at) : std::string_view();
            Entry& e = slot(group, index);
            e.symbol = std::string(ansiPrefix(symbol, kMaxSymbolBytes));
            e.name = std::string(ansiPrefix(name, kMaxNameBytes));
        }
        ++index;
    }
}

const IoNames::Entry& IoNames::entry(int group, int index) const {
    static const Entry none;
    if (group < 0 || group >= kGroupCount || index < 0 || index >= kEntryCount) return none;
    return entries_[static_cast<std::size_t>(group * kEntryCount + index)];
}

int IoNames::entryCount(int group) const {
    int n = 0;
    while (n < kEntryCount && !entry(group, n).symbol.empty()) ++n;
    return n;
}

}  // namespace vantrel
