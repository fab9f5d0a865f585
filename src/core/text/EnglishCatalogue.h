#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/EnglishEntries.h"

namespace vantrel {

// The English of the system's Japanese texts. The core keeps writing its texts
// in Japanese; whoever shows one to a person who reads English passes the whole
// text through here. A text built around numbers or names ("T2 は他の 3
// ステップでも使われています") is found through a key with placeholders, and
// what fills a %s is itself looked up, so a caption inside a refusal comes out
// in English too.
class EnglishCatalogue {
public:
    explicit EnglishCatalogue(const std::vector<EnglishEntry>& entries);

    // The catalogue of every text of the system.
    static const EnglishCatalogue& instance();

    // The English text, or nothing when the catalogue does not know the text.
    std::optional<std::string> find(std::string_view japanese) const;
    // The English text, or the text itself when the catalogue does not know it.
    std::string english(std::string_view japanese) const;

private:
    struct Piece {
        std::string fixed;  // empty for a placeholder
        bool number = false;
    };
    struct Pattern {
        std::vector<Piece> pieces;
        std::string_view english;
    };
    bool match(const std::vector<Piece>& pieces, std::size_t piece, std::string_view text,
               std::vector<std::pair<std::string_view, bool>>& captures) const;
    std::string fill(std::string_view english, const std::vector<std::pair<std::string_view, bool>>& captures) const;

    std::map<std::string, std::string_view, std::less<>> exact_;
    std::vector<Pattern> patterns_;
};

// English of one text through the system's catalogue.
std::string english(std::string_view japanese);

}  // namespace vantrel
