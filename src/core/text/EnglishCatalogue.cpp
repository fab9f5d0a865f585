#include "text/EnglishCatalogue.h"

#include <regex>

namespace vantrel {

namespace {
// printf-style fields as the core writes them: %d, %02d, %03d, and %s for any text.
const std::regex kPlaceholder("%0?[0-9]*([ds])");

bool isNumber(std::string_view text) {
    std::size_t at = !text.empty() && text[0] == '-' ? 1 : 0;
    if (at == text.size()) return false;
    for (; at < text.size(); ++at)
        if (text[at] < '0' || text[at] > '9') return false;
    return true;
}
}  // namespace

EnglishCatalogue::EnglishCatalogue(const std::vector<EnglishEntry>& entries) {
    for (const auto& entry : entries) {
        const std::string key(entry.japanese);
        std::vector<Piece> pieces;
        auto at = key.cbegin();
        for (std::sregex_iterator it(key.cbegin(), key.cend(), kPlaceholder), end; it != end; ++it) {
            if (at != (*it)[0].first) pieces.push_back({std::string(at, (*it)[0].first), false});
            pieces.push_back({{}, (*it)[1].str() == "d"});
            at = (*it)[0].second;
        }
        if (pieces.empty()) {
            exact_.emplace(key, entry.english);
            continue;
        }
        if (at != key.cend()) pieces.push_back({std::string(at, key.cend()), false});
        patterns_.push_back({std::move(pieces), entry.english});
    }
}

const EnglishCatalogue& EnglishCatalogue::instance() {
    static const EnglishCatalogue catalogue(englishEntries());
    return catalogue;
}

// Placeholders take the shortest text that lets the rest match, so "%s「%s」"
// splits at the first bracket.
bool EnglishCatalogue::match(const std::vector<Piece>& pieces, std::size_t piece, std::string_view text,
                             std::vector<std::pair<std::string_view, bool>>& captures) const {
    if (piece == pieces.size()) return text.empty();
    const Piece& p = pieces[piece];
    if (!p.fixed.empty())
        return text.starts_with(p.fixed) && match(pieces, piece + 1, text.substr(p.fixed.size()), captures);
    for (std::size_t length = 1; length <= text.size(); ++length) {
        const std::string_view taken = text.substr(0, length);
        if (p.number && !isNumber(taken)) {
            if (taken.size() > 1 || taken[0] != '-') return false;
            continue;
        }
        captures.emplace_back(taken, p.number);
        if (match(pieces, piece + 1, text.substr(length), captures)) return true;
        captures.pop_back();
    }
    return false;
}

std::string EnglishCatalogue::fill(std::string_view text,
                                   const std::vector<std::pair<std::string_view, bool>>& captures) const {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : captures.size();
        if (text[i] != '%' || n >= captures.size()) {
            out += text[i];
            continue;
        }
        const auto& [captured, number] = captures[n];
        out += number ? std::string(captured) : english(captured);
        ++i;
    }
    return out;
}

std::optional<std::string> EnglishCatalogue::find(std::string_view japanese) const {
    if (auto it = exact_.find(japanese); it != exact_.end()) return std::string(it->second);
    for (const auto& pattern : patterns_) {
        std::vector<std::pair<std::string_view, bool>> captures;
        if (match(pattern.pieces, 0, japanese, captures)) return fill(pattern.english, captures);
    }
    return std::nullopt;
}

std::string EnglishCatalogue::english(std::string_view japanese) const {
    auto found = find(japanese);
    return found ? std::move(*found) : std::string(japanese);
}

std::string english(std::string_view japanese) { return EnglishCatalogue::instance().english(japanese); }

}  // namespace vantrel
