#include "settings/TimerModel.h"

#include <cmath>

#include "data/ImageEdit.h"
#include "data/Units.h"

namespace vantrel {

std::string TimerModel::cellText(int row, int column) const {
    if (!inTable(row, column)) return {};
    if (row == 0) return column == 1 ? "タイマー設定値" : "";
    if (column == 0) return "タイマー" + std::to_string(row);
    return twoDecimalText(ConstTimerTable(image_).timer(row - 1));
}

CellKind TimerModel::cellKind(int row, int column) const {
    if (row == 0) return CellKind::Header;
    return column == 0 ? CellKind::Label : CellKind::Text;
}

std::string TimerModel::helpText(int row, int column) const {
    (void)row;
    (void)column;
    return "【内容】\nプログラムの時間待ちコマンドで使用するタイマーの設定をします。\n\n【設定範囲】\n0.00～99.99 [s]\n(初期値：1.00  [s])";
}

std::uint16_t TimerModel::timerValue(double hundredths) {
    if (!(hundredths >= 1.0)) return 0;  // a NaN counts as too small
    if (hundredths >= 9999.0) return 9999;
    return static_cast<std::uint16_t>(std::lround(hundredths));
}

MaybeRefusal TimerModel::commit(int row, int column, const std::string& text) {
    if (!isValueCell(row, column)) return std::nullopt;
    if (!isHalfWidthNumber(text)) return halfWidthNumberRefusal();
    // Scaled in the text itself, so a typed half such as 0.285 is exactly 28.5.
    ImageEdit(image_, sink_).write(TimerTable::timerOffset(row - 1), 2, timerValue(readScaledNumber(text, 2)));
    return std::nullopt;
}

}  // namespace vantrel
