#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vantrel {

// What a command editor hands to StepEditor::storeCommand, and what
// StepEditor::loadStepForEdit hands back for an existing step. Texts are CP932
// bytes, like the program text.
struct CommandEditRecord {
    struct Axis {
        std::uint8_t selected = 0;
        std::int32_t position = 0;   // stored unit of the axis (0.01 mm, 0.01 deg or step)
        std::int32_t speedRate = 0;  // percent; for ACC the acceleration entry index 0..25
    };

    std::uint16_t label = 0;
    std::uint8_t code = 0;
    std::string operand;         // built by the editor for text-operand commands
    // Entries 0..3: axes 1..4 of the first point; 4..7: axes 1..4 of the second
    // point (ARC, ARCC).
    std::array<Axis, 8> axes{};
    std::uint16_t point1 = 0;    // 1-based point number (SHIFT: 0-based index)
    std::uint16_t point2 = 0;
    // PATH, ACC: 1 = ON when stored, 1 = OFF when loaded back; SAV, SAV2, SHIFT: 1 = OFF.
    std::uint8_t onOff = 0;
    // 1 = incremental move ("I "); SHIFT: shift choice (stored: 0/1, loaded back: 1/2).
    std::uint8_t incremental = 0;
    // Timer, counter or memory number. WAIT stores it as the timer index (0 = T1)
    // and loads it back as the timer number (1 = T1).
    std::uint8_t number = 0;
    std::int32_t value = 0;      // WAIT: 0.01 s (low 16 bits); CSET: count
    // Network driver 1..16 (a step read back keeps any other number it names),
    // or the NO digit of NIOWR.
    std::uint8_t networkAxis = 0;
    std::string comment;
};

}  // namespace vantrel
