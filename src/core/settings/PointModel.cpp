#include "settings/PointModel.h"

#include <cstdio>

#include "data/ImageEdit.h"
#include "data/Units.h"

namespace vantrel {

namespace {
const char* const kPositionHelp =
    "【内容】\n位置決め運転の位置(移動量）を設定します。\n設定したポイントデータはプログラムにおいて軸移動(ポイント指定)コマンドで使用することができます。\n\n"
    "【設定範囲】\n位置制御単位がmmの場合\n-80000.00～80000.00 [mm]\n(初期値：---(未設定))\n\n"
    "位置制御単位がstepの場合\n-8000000～8000000 [step]\n(初期値：---(未設定))";
const char* const kSpeedHelp =
    "【内容】\n位置決め運転の運転速度を設定します。\n速度はパルス列軸設定の最大回転速度を100％とします。\n"
    "（現在の最大回転速度設定：%d [r/min]）\n設定したポイントデータはプログラムにおいて軸移動(ポイント指定)コマンドで使用することができます。\n\n"
    "【設定範囲】\n1～100 [％]\n(初期値：100 [％]）";
}  // namespace

int PointModel::columnWidth(int column) const {
    switch (column) {
    case kPointColumn: return 80;
    case kAxisColumn: return 60;
    case kPositionColumn: return 150;
    default: return 80;
    }
}

std::string PointModel::cellText(int row, int column) const {
    if (!inTable(row, column)) return {};
    if (row == 0) {
        const char* const headers[] = {"ポイント", "軸", "位置\r\n([mm] or [step])", "速度\n[％]"};
        return headers[column];
    }
    const int axis = axisOfRow(row);
    const int index = indexOfRow(row);
    char text[32];
    switch (column) {
    case kPointColumn:
        if (axis != 0) return {};
        std::snprintf(text, sizeof text, "PT%04d", index + 1);
        return text;
    case kAxisColumn:
        std::snprintf(text, sizeof text, "軸%02d", axis + 1);
        return text;
    case kPositionColumn:
        return positionText(image_.readPosition(axis, index), ConstPulseAxisRecord(image_, axis).positionUnit());
    default:
        return std::to_string(ConstPositionRecord(image_, axis, index).speed());
    }
}

std::string PointModel::editText(int row, int column) const {
    if (column != kPositionColumn || !isPointRow(row)) return cellText(row, column);
    const int axis = axisOfRow(row);
    const std::int32_t position = image_.readPosition(axis, indexOfRow(row));
    if (position == NOT_SET_POSITION) return {};  // nothing to edit: the user types a new value
    return positionEditText(position, ConstPulseAxisRecord(image_, axis).positionUnit());
}

CellKind PointModel::cellKind(int row, int column) const {
    if (row == 0) return CellKind::Header;
    return column == kPositionColumn || column == kSpeedColumn ? CellKind::Text : CellKind::Label;
}

std::string PointModel::helpText(int row, int column) const {
    if (!isPointRow(row)) return {};
    const int axis = axisOfRow(row);
    const ConstPulseAxisRecord record(image_, axis);
    if (column == kPositionColumn) {
        const std::uint8_t unit = record.positionUnit();
        return unit == kPositionUnitMm || unit == kPositionUnitStep ? kPositionHelp : "";
    }
    if (column == kSpeedColumn) {
        char text[1024];
        std::snprintf(text, sizeof text, kSpeedHelp, static_cast<int>(record.maxRotationSpeed()));
        return text;
    }
    return {};
}

std::optional<ValueRange> PointModel::valueRange(int row, int column) const {
    if (!isPointRow(row)) return std::nullopt;
    if (column == kSpeedColumn) return ValueRange{1, 100, 0, "％", true};
    if (column != kPositionColumn) return std::nullopt;
    return positionRange(ConstPulseAxisRecord(image_, axisOfRow(row)).positionUnit());
}

MaybeRefusal PointModel::commit(int row, int column, const std::string& text) {
    if (!isPointRow(row) || (column != kPositionColumn && column != kSpeedColumn)) return std::nullopt;
    if (!isHalfWidthNumber(text)) return halfWidthNumberRefusal();
    const int axis = axisOfRow(row);
    const int index = indexOfRow(row);
    ImageEdit edit(image_, sink_);
    if (column == kPositionColumn) {
        const ConstPulseAxisRecord record(image_, axis);
        edit.writePosition(axis, index, positionCellValue(text, record.positionUnit(), record.travelPerRev(), record.resolution()));
    } else {
        const auto offset = *SettingsImage::positionRecordOffset(axis, index) + PositionRecord::kSpeed;
        edit.write(offset, 1, integerCellValue(text, 1, 100));
    }
    return std::nullopt;
}

}  // namespace vantrel
