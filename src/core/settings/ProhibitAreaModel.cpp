#include "settings/ProhibitAreaModel.h"

#include "data/EditGroup.h"
#include "data/ImageEdit.h"
#include "data/Units.h"

namespace vantrel {

namespace {
const char* const kRowLabels[] = {"",           "軸1最大位置", "軸1最小位置", "軸2最大位置", "軸2最小位置",
                                  "軸3最大位置", "軸3最小位置", "軸4最大位置", "軸4最小位置"};

const char* const kMovableMaxHelp =
    "【内容】\n軸の可動範囲の最大位置を設定します。\n"
    "可動範囲を超えて移動するコマンドを実行すると「ポイント設定異常」(アラームコード33)となり、"
    "プログラムに接続しているすべてのモータを停止します。\n"
    "移動中のモータが可動範囲を超えると「エリア設定オーバー」(アラームコード24)となり、すべてのモータを停止します。\n\n"
    "【設定範囲】\n位置制御単位がmmの場合\n-80000.00～80000.00 [mm]\n(初期値：20000.00 [mm])\n\n"
    "位置制御単位がstepの場合\n-8000000～8000000 [step]\n(初期値：2000000 [step])";
const char* const kMovableMinHelp =
    "【内容】\n軸の可動範囲の最小位置を設定します。\n"
    "可動範囲を超えて移動するコマンドを実行すると「ポイント設定異常」(アラームコード33)となり、"
    "プログラムに接続しているすべてのモータを停止します。\n"
    "移動中のモータが可動範囲を超えると「エリア設定オーバー」(アラームコード24)となり、すべてのモータを停止します。\n\n"
    "【設定範囲】\n位置制御単位がmmの場合\n-80000.00～80000.00 [mm]\n(初期値：-20000.00 [mm])\n\n"
    "位置制御単位がstepの場合\n-8000000～8000000 [step]\n(初期値：-2000000 [step])";
const char* const kProhibitedHelpHead = "【内容】\n動作禁止エリアの";
const char* const kProhibitedHelpTail =
    "を設定します。\n禁止エリアは1～5の5つまで設定できます。最大位置と最小位置が同じエリアは無効です。\n"
    "移動中のモータが禁止エリアに入ると「動作禁止領域」(アラームコード25)となり、"
    "プログラムに接続しているすべてのモータを停止します。\n"
    "1つのエリアを2軸以上に設定した場合は、それらすべての軸がそれぞれの範囲内に入ったときにアラームとなります。\n\n"
    "【設定範囲】\n位置制御単位がmmの場合\n-80000.00～80000.00 [mm]\n(初期値：0.00 [mm])\n\n"
    "位置制御単位がstepの場合\n-8000000～8000000 [step]\n(初期値：0 [step])";

std::uint8_t unitOf(const SettingsImage& image, int axis) { return ConstPulseAxisRecord(image, axis).positionUnit(); }
}  // namespace

int ProhibitAreaModel::positionIndex(int row, int column) const {
    if (!isValueCell(row, column)) return -1;
    const bool maximum = isMaximumRow(row);
    if (page_ == Page::MovableRange) return maximum ? layout::kMovableMaxIndex : layout::kMovableMinIndex;
    return (maximum ? layout::kProhibitedMaxIndex : layout::kProhibitedMinIndex) + column - 1;
}

std::string ProhibitAreaModel::cellText(int row, int column) const {
    if (!inTable(row, column)) return {};
    if (row == 0) {
        if (column == 0) return "軸";
        if (page_ == Page::MovableRange) return "位置\r\n([mm] or [step])";
        return "禁止エリア" + std::to_string(column) + "\r\n([mm] or [step])";
    }
    if (column == 0) return kRowLabels[row];
    const int axis = axisOfRow(row);
    return positionText(image_.readPosition(axis, positionIndex(row, column)), unitOf(image_, axis));
}

std::string ProhibitAreaModel::editText(int row, int column) const {
    if (!isValueCell(row, column)) return cellText(row, column);
    const int axis = axisOfRow(row);
    const std::int32_t position = image_.readPosition(axis, positionIndex(row, column));
    if (position == NOT_SET_POSITION) return {};
    return positionEditText(position, unitOf(image_, axis));
}

CellKind ProhibitAreaModel::cellKind(int row, int column) const {
    if (row == 0) return CellKind::Header;
    return column == 0 ? CellKind::Label : CellKind::Text;
}

std::string ProhibitAreaModel::helpText(int row, int column) const {
    if (!isValueCell(row, column)) return {};
    if (page_ == Page::MovableRange) return isMaximumRow(row) ? kMovableMaxHelp : kMovableMinHelp;
    return std::string(kProhibitedHelpHead) + (isMaximumRow(row) ? "最大位置" : "最小位置") + kProhibitedHelpTail;
}

std::int32_t ProhibitAreaModel::limitByBounds(int row, int column, double y) const {
    const int axis = axisOfRow(row);
    const bool maximum = isMaximumRow(row);
    const auto bound = [&](int index) { return image_.readPosition(axis, index); };
    // The partner bound: a maximum is not below its minimum, a minimum not above its maximum.
    const int partner = page_ == Page::MovableRange
                            ? (maximum ? layout::kMovableMinIndex : layout::kMovableMaxIndex)
                            : (maximum ? layout::kProhibitedMinIndex : layout::kProhibitedMaxIndex) + column - 1;
    if (const std::int32_t p = bound(partner); p != NOT_SET_POSITION) {
        if (maximum && y < p) y = p;
        if (!maximum && y > p) y = p;
    }
    // On a deg axis a prohibited area also stays within the movable range.
    if (page_ == Page::ProhibitedAreas && unitOf(image_, axis) == kPositionUnitDeg) {
        if (const std::int32_t high = bound(layout::kMovableMaxIndex); high != NOT_SET_POSITION && y > high) y = high;
        if (const std::int32_t low = bound(layout::kMovableMinIndex); low != NOT_SET_POSITION && y < low) y = low;
    }
    if (y > kPositionLimit) y = kPositionLimit;
    if (y < -kPositionLimit) y = -kPositionLimit;
    return static_cast<std::int32_t>(y);
}

std::optional<ValueRange> ProhibitAreaModel::valueRange(int row, int column) const {
    if (!isValueCell(row, column)) return std::nullopt;
    // The limits are one-sided clamps applied in turn, so together they clamp
    // into the interval between what they make of the lowest and the highest value.
    constexpr double kBeyond = 1e18;
    ValueRange range = positionRange(unitOf(image_, axisOfRow(row)));
    range.minimum = limitByBounds(row, column, -kBeyond);
    range.maximum = limitByBounds(row, column, kBeyond);
    return range;
}

MaybeRefusal ProhibitAreaModel::commit(int row, int column, const std::string& text) {
    if (!isValueCell(row, column)) return std::nullopt;
    if (!isHalfWidthNumber(text)) return halfWidthNumberRefusal();
    const int axis = axisOfRow(row);
    // The movable minimum rounds to the nearest hundredth; the other bounds
    // are only nudged past representation error. The number is scaled in the
    // text itself, so a typed half such as 1.005 is exactly 100.5 hundredths.
    const double away = page_ == Page::MovableRange && !isMaximumRow(row) ? 0.005 : 0.000001;
    const bool steps = unitOf(image_, axis) == kPositionUnitStep;
    const double scale = steps ? 1.0 : 100.0;
    const double x = readScaledNumber(text, steps ? 0 : 2);
    const double y = x < 0 ? x - away * scale : x + away * scale;
    ImageEdit(image_, sink_).writePosition(axis, positionIndex(row, column), limitByBounds(row, column, y));
    return std::nullopt;
}

std::string ProhibitAreaModel::clearQuestion(int area) { return "禁止領域" + std::to_string(area) + "をクリアしますか？"; }

bool ProhibitAreaModel::clearArea(int area, const AskQuestion& ask) {
    if (area < 1 || area > layout::kProhibitedAreaCount) return false;
    if (!ask || !ask(Refusal{clearQuestion(area), "確認", MessageIcon::Question})) return false;
    // The ten positions are one edit to undo.
    EditGroup group(sink_ ? sink_->editRecorder() : nullptr, clearButtonText(area));
    ImageEdit edit(image_, sink_);
    for (int axis = 0; axis < layout::kPulseAxisCount; ++axis) {
        edit.writePosition(axis, layout::kProhibitedMaxIndex + area - 1, 0);
        edit.writePosition(axis, layout::kProhibitedMinIndex + area - 1, 0);
    }
    return true;
}

}  // namespace vantrel
