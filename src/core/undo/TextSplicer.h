#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "undo/EditCommand.h"

namespace vantrel {

// Applies the splices of one edit to a whole text in one pass over it: an
// edit may hold hundreds of splices (the program list deletes many programs
// at once), and splicing a 16 MiB text hundreds of times in place would move
// gigabytes. The splices are first applied to a list of pieces (runs of the
// old text and of the splices' bytes), then the result is copied out once.
class TextSplicer {
public:
    // The text after the splices, applied in order.
    static std::string forward(std::string_view text, const std::vector<TextSplice>& splices);
    // The text before them: each one taken back, the last first.
    static std::string backward(std::string_view text, const std::vector<TextSplice>& splices);

private:
    explicit TextSplicer(std::string_view text);
    // Bytes [pos, pos + length) become `with` (which must outlive the splicer).
    void replace(std::size_t pos, std::size_t length, std::string_view with);
    // The index of the piece that starts at `pos`, splitting one if needed.
    std::size_t split(std::size_t pos);
    std::string text() const;

    std::vector<std::string_view> pieces_;
};

}  // namespace vantrel
