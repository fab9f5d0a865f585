#pragma once

// The command palette's buttons: on which page and in which group each sits,
// what it does (open a command editor in the mode that fixes its command code,
// store a step without an editor, clear a label, or nothing), and which button
// re-opens a step on a double-click. Display (UTF-8) strings, as the palette
// shows them. The palette window and the editor registry are both built from
// this one table.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantrel {

// Page names, in the order of the palette's page buttons.
inline constexpr std::string_view kPagePulseAxes = "軸動作(ﾊﾟﾙｽ列)";
inline constexpr std::string_view kPageNetworkAxes = "軸動作(RIVO)";
inline constexpr std::string_view kPageIo = "I/O等";
inline constexpr std::string_view kPageCalculation = "演算";
inline constexpr std::string_view kPageOther = "その他";

// The two groups of the axis pages.
inline constexpr std::string_view kGroupAxisControl = "軸制御";
inline constexpr std::string_view kGroupAxisControlNoWait = "軸制御（完了待ちなし）";

struct PaletteButton {
    std::string_view page;
    std::string_view group;   // the palette group; empty for the first buttons of "I/O等"
    std::string_view button;  // the button's text
};

// The command editors a palette button can open. The editor's mode is the code
// it stores (PaletteEntry::code).
enum class CommandEditorKind : std::uint8_t {
    None,
    // Pulse-train axes.
    AxisMove, PointMove, Home, Acceleration, LinearInterpolation, ArcInterpolation, Pass, AxisStop, Excitation,
    // Network axes.
    NetworkMove, NetworkAxisCommand, RemoteIoWrite,
    // I/O, flow control, calculation.
    Output, TimerCounterMemory, Condition, Label, ProgramChoice, Comparison, VariableDeclaration, Expression,
    UserAlarm, Pause,
    // Other.
    Shift, PositionPreset,
};

enum class PaletteAction : std::uint8_t {
    OpenEditor,  // open `editor` in the mode `code`
    StoreStep,   // store a step of `code` with an empty operand, no editor (ELSE, RETURN, END)
    ClearLabel,  // "LABEL削除": clear the selected step's label
    Nothing,     // "JOG動作": no effect
};

// The label editor in its set mode stores a label, not a command.
inline constexpr int kNoStepCode = -1;

struct PaletteEntry {
    PaletteButton button;
    PaletteAction action;
    CommandEditorKind editor;  // None unless action is OpenEditor
    int code;                  // the command code stored; kNoStepCode for LABEL, LABEL削除 and JOG動作
};

// Every button, page by page in palette order, groups in order within a page.
// The network page holds "軸移動" twice, so a button is known by its entry, not
// by its text.
std::span<const PaletteEntry> paletteCatalogue();
// The five pages in order.
std::span<const std::string_view> palettePages();
// The groups of a page in order, including the network page's empty
// "軸制御（完了待ちなし）".
std::span<const std::string_view> paletteGroups(std::string_view page);

// "条件分岐(IF/ENDIF)": the palette stores an ENDIF behind the stored IF, so it
// needs room for two steps.
inline bool addsEndIf(const PaletteEntry& entry) {
    return entry.action == PaletteAction::OpenEditor && entry.editor == CommandEditorKind::Comparison;
}

// The entry whose editor re-opens a step of `code` on a double-click: the first
// button that stores that code, with JMP (31) re-opened by "JUMP", and MOVE2 /
// HOME2 (53, 54) by the network page's "軸移動" / "原点復帰". Nothing for codes
// without an editor (20, 21, 30, 32, 35..39, 43, 45, 56, 57, 254, empty rows).
// IF/ENDIF (55) re-opens without adding an ENDIF.
const PaletteEntry* doubleClickEntry(int code);
// The mode (code) that re-opened editor keeps: the entry's, except that MOVE2
// and HOME2 keep their own code instead of turning into MOVE2P and HOME2P.
int doubleClickMode(int code);

// The tooltip of a palette button: the command it stores, as the program
// text names it ("コマンド: MOVEP", "コマンド: IF … THEN / ENDIF"), or what a
// button without a command does.
std::string paletteToolTip(const PaletteEntry& entry);

// The button of doubleClickEntry.
std::optional<PaletteButton> doubleClickButton(int code);

// Whether a double-click on a step of `code` opens a command editor.
inline bool hasEditor(int code) { return doubleClickEntry(code) != nullptr; }

}  // namespace vantrel
