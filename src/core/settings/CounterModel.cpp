#include "settings/CounterModel.h"

#include <cmath>

#include "data/ImageEdit.h"
#include "data/Units.h"

namespace vantrel {

std::string CounterModel::cellText(int row, int column) const {
    if (!inTable(row, column)) return {};
    if (row == 0) return column == 1 ? "カウンタ設定値" : "";
    if (column == 0) return "カウンタ" + std::to_string(row);
    return std::to_string(ConstCounterTable(image_).counter(row - 1));
}

CellKind CounterModel::cellKind(int row, int column) const {
    if (row == 0) return CellKind::Header;
    return column == 0 ? CellKind::Label : CellKind::Text;
}

std::string CounterModel::helpText(int row, int column) const {
    (void)row;
    (void)column;
    return "【内容】\nプログラムで使用するカウンタ1～8の設定値を設定します。\n"
           "カウンタ変数の値が設定値と等しくなると、対応する接点（カウンタ1UP～カウンタ8UP）がONになり、"
           "それ以外のときはOFFになります。\n\n【設定範囲】\n0～1000000\n(初期値：0)";
}

std::int32_t CounterModel::counterValue(double typed) {
    if (!(typed >= 0.0)) return 0;  // a NaN counts as too small
    if (typed >= kMaximum) return kMaximum;
    return static_cast<std::int32_t>(std::lround(typed));
}

MaybeRefusal CounterModel::commit(int row, int column, const std::string& text) {
    if (!isValueCell(row, column)) return std::nullopt;
    if (!isHalfWidthNumber(text)) return halfWidthNumberRefusal();
    ImageEdit(image_, sink_).write(CounterTable::counterOffset(row - 1), 4, counterValue(readNumber(text)));
    return std::nullopt;
}

}  // namespace vantrel
