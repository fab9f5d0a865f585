#pragma once

// Which command editor a double-click on a step opens: the palette button (and
// so the editor and its mode) that creates steps of that code. Display (UTF-8)
// strings, as the palette shows them.

#include <optional>
#include <string_view>

namespace vantrel {

struct PaletteButton {
    std::string_view page;    // "軸動作(ﾊﾟﾙｽ列)", "軸動作(RIVO)", "I/O等", "演算", "その他"
    std::string_view group;   // "軸制御" / "軸制御（完了待ちなし）" where a page has the button twice; else empty
    std::string_view button;  // the button's text
};

// The button whose editor re-opens a step of `code`; nothing for codes without
// an editor (20, 21, 30, 32, 35..39, 43, 45, 56, 57, 254, empty rows). IF/ENDIF
// (55) re-opens without adding an ENDIF.
std::optional<PaletteButton> doubleClickButton(int code);

// Whether a double-click on a step of `code` opens a command editor.
inline bool hasEditor(int code) { return doubleClickButton(code).has_value(); }

}  // namespace vantrel
