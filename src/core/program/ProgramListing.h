#pragma once

// How the step table shows the program being edited.
//
// All texts here are display (UTF-8) strings: the CP932 parts (operand, comment,
// program names) are converted with ansiToUtf8, the system's own texts are
// UTF-8 already. Nothing built here goes back into the program text.

#include <array>
#include <string>
#include <string_view>

#include "data/SettingsImage.h"
#include "program/CurrentProgram.h"
#include "program/ProgramDirectory.h"
#include "text/Language.h"

namespace vantrel {

// The words a listing writes around the program's own tokens. The system's
// are Japanese; a listing shown in another language passes that language's.
struct ListingWords {
    std::string axis = "軸";           // before the axis number: "軸1"
    std::string relative = "相対値 ";  // before the axes of an incremental move
    std::string absolute = "絶対値 ";
};
// The words in a language: the system's own in Japanese, else the catalogue's.
ListingWords listingWordsIn(Language language);

// The operand as the step table lists it: axis tokens become axis names, point
// numbers are followed by the point's positions and speed rates, timers by
// their time, program references by the program's name. Reads the live
// settings image and directory.
std::string listOperand(int code, std::string_view operandCp932, const SettingsImage& image,
                        const ProgramDirectory& directory, const ListingWords& words = {});

// --- Step table ----------------------------------------------------------------
inline constexpr int kStepColumnCount = 5;
extern const std::array<std::string_view, kStepColumnCount> kStepColumnHeaders;  // "Step", "Label", ...
extern const std::array<int, kStepColumnCount> kStepColumnWidths;                 // 45, 45, 110, 420, 150

// Rows from step 0 up to and including the first empty record (at most 255).
int stepTableRowCount(const CurrentProgram& program);
// "%03d" of index + 1.
std::string stepNumberText(int index);
// The five cells of row `index`: step number, label, command name, operand
// listing, comment. An empty row shows its step number only.
std::array<std::string, kStepColumnCount> stepTableRow(const CurrentProgram& program, int index,
                                                       const SettingsImage& image, const ProgramDirectory& directory,
                                                       const ListingWords& words = {});

// Which colour a row carries.
enum class RowHighlight {
    None,
    RunningStep,   // black on yellow: a task's current step, in a run mode
    CompileError,  // white on red: the error step of the last compile
    LastStored,    // black on green: the step last stored or pasted
};
struct RowHighlightState {
    bool runMode = false;
    int runningStep = -1;     // step a task runs in the program shown, -1 none
    int errorStep = -1;       // error step when the program shown is the error program, -1 none
    int lastStoredRow = -1;
};
RowHighlight rowHighlight(const RowHighlightState& state, int row);

// --- Status texts --------------------------------------------------------------
// Compile error names 0..10 ("ﾗﾍﾞﾙｴﾗｰ" for 5); empty for other numbers.
std::string_view compileErrorText(int error);
// The status field: the compile error name when the last compile reported
// error 1..10, else "プログラム編集中" while the store is not clean, else empty.
std::string_view programStatusText(int compileError, bool storeClean);

}  // namespace vantrel
