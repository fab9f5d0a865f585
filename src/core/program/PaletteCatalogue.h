#pragma once

// The command palette "コマンドテーブル": five pages of buttons, each button in
// a group of its page, and what pressing it does. Buttons that open a command
// editor are known by their PaletteButton (page, group where the page has the
// button twice, button text), the same key a double-click on a step uses, so
// the palette and the double-click find the same editor.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "program/CommandCode.h"
#include "program/PaletteButton.h"

namespace vantrel {

enum class PaletteAction {
    OpenEditor,     // the button's command editor; its record is stored at the selected row
    SetLabel,       // "LABEL": the label editor; its label goes to the selected step
    DeleteLabel,    // "LABEL削除": no editor
    StoreDirectly,  // "条件分岐(ELSE)", "RETURN", "END": no editor, the code is stored as is
    NoEffect,       // "JOG動作"
};

struct PaletteEntry {
    PaletteButton key;
    std::string_view groupCaption;  // the group the button is drawn in; may be empty
    PaletteAction action = PaletteAction::OpenEditor;
    std::uint8_t code = kCodeEmpty;  // the code stored by StoreDirectly
    // "条件分岐(IF/ENDIF)": needs room for two steps and is followed by an ENDIF.
    bool addsEndIf = false;
};

inline constexpr int kPalettePageCount = 5;
// "軸動作(ﾊﾟﾙｽ列)", "軸動作(RIVO)", "I/O等", "演算", "その他", in palette order.
extern const std::array<std::string_view, kPalettePageCount> kPalettePageTitles;

// Every button of a page in drawing order (groups follow one another).
std::span<const PaletteEntry> paletteEntries(int page);
// The entry with this key (the first one where a page has two identical buttons).
std::optional<PaletteEntry> findPaletteEntry(const PaletteButton& key);

bool samePaletteButton(const PaletteButton& a, const PaletteButton& b);

}  // namespace vantrel
