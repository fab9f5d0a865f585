#include "undo/TextSplicer.h"

namespace vantrel {

TextSplicer::TextSplicer(std::string_view text) {
    if (!text.empty()) pieces_.push_back(text);
}

std::string TextSplicer::forward(std::string_view text, const std::vector<TextSplice>& splices) {
    TextSplicer splicer(text);
    for (const TextSplice& s : splices) splicer.replace(s.pos, s.removed.size(), s.inserted);
    return splicer.text();
}

std::string TextSplicer::backward(std::string_view text, const std::vector<TextSplice>& splices) {
    TextSplicer splicer(text);
    for (auto it = splices.rbegin(); it != splices.rend(); ++it) splicer.replace(it->pos, it->inserted.size(), it->removed);
    return splicer.text();
}

std::size_t TextSplicer::split(std::size_t pos) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        const std::string_view piece = pieces_[i];
        if (pos == start) return i;
        if (pos < start + piece.size()) {
            const std::size_t at = pos - start;
            pieces_[i] = piece.substr(0, at);
            pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(i) + 1, piece.substr(at));
            return i + 1;
        }
        start += piece.size();
    }
    return pieces_.size();  // at or past the end
}

void TextSplicer::replace(std::size_t pos, std::size_t length, std::string_view with) {
    const std::size_t first = split(pos);
    const std::size_t last = split(pos + length);
    pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(first), pieces_.begin() + static_cast<std::ptrdiff_t>(last));
    if (!with.empty()) pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(first), with);
}

std::string TextSplicer::text() const {
    std::size_t size = 0;
    for (const std::string_view piece : pieces_) size += piece.size();
    std::string out;
    out.reserve(size);
    for (const std::string_view piece : pieces_) out.append(piece);
    return out;
}

}  // namespace vantrel
