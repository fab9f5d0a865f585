#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "program/CommandCode.h"

namespace vantrel {

// One step of the program being edited. Operand and comment are CP932 bytes of
// at most 254 bytes each; they never hold TAB, CR, LF, NUL or 0x1A (those would
// break the line structure of the program text and are turned into blanks).
struct StepRecord {
    static constexpr std::size_t kMaxOperandBytes = 254;
    static constexpr std::size_t kMaxCommentBytes = 254;

    std::uint16_t label = 0;         // 0 = no label, else 1..999
    std::uint8_t code = kCodeEmpty;  // CommandCode; kCodeEmpty = empty row
    std::string operand;
    std::string comment;
    // The operand's last blank is the TAB that separated it from the comment
    // in the program text it was read from. Writing the step leaves that blank
    // out again, so text read and written back is unchanged, while an operand
    // built by an editor is written exactly as built.
    bool separatorBlank = false;

    // An empty row: no command (a step of an undefined command is not empty).
    bool empty() const { return code == kCodeEmpty; }
    // Empties the record in place (its strings keep their memory for reuse).
    void clear() {
        label = 0;
        code = kCodeEmpty;
        operand.clear();
        comment.clear();
        separatorBlank = false;
    }
    bool operator==(const StepRecord&) const = default;
};

}  // namespace vantrel
