#include "settings/CellNotes.h"

namespace vantrel {

std::string rangeNote(const ValueRange& range) { return "設定範囲：" + range.text(); }

std::string clampNote(std::string_view typed, std::string_view stored, const ValueRange& range) {
    std::string note(typed);
    note += " は範囲外のため ";
    note += stored;
    note += " にしました（" + rangeNote(range) + "）";
    return note;
}

std::string notConnectedNote(std::string_view axis, std::string_view where, std::string_view what) {
    std::string note(axis);
    note += " は接続機種が「接続無し」です。";
    note += where;
    note += "接続機種を選ぶと";
    note += what;
    note += "設定できます。";
    return note;
}

}  // namespace vantrel
