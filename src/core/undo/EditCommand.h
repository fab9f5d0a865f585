#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/EditRecorder.h"

namespace vantrel {

// A settings field an edit changed (size 3: a position).
struct FieldChange {
    std::size_t offset = 0;
    int size = 0;
    std::int32_t oldValue = 0;
    std::int32_t newValue = 0;
};

// A change of the program text: bytes [pos, pos + removed.size()) became
// `inserted`, in the text as the changes before it in the same edit left it.
struct TextSplice {
    std::size_t pos = 0;
    std::string removed;
    std::string inserted;
};

// One undoable edit: its name for the menu, where it was made, and what it
// changed, in the order it changed it.
struct EditCommand {
    std::string name;
    EditPlace place;
    std::vector<FieldChange> fields;
    std::vector<TextSplice> splices;

    bool empty() const { return fields.empty() && splices.empty(); }
    // The memory it holds, as the history's bound counts it.
    std::size_t bytes() const;
};

}  // namespace vantrel
