#include "settings/RivoPointModel.h"

#include <cmath>
#include <cstdio>

#include "data/ImageEdit.h"
#include "data/Units.h"
#include "settings/CellNotes.h"

namespace vantrel {

namespace {
const char* const kUsage = "設定したポイントデータはプログラムにおいて軸移動コマンドで使用することができます。";

std::string helpOf(const char* content, const char* range) {
    return std::string("【内容】\n") + content + "\n" + kUsage + "\n\n【設定範囲】\n" + range;
}

// Moves a typed value away from zero by `amount`.
double awayFromZero(double x, double amount) { return x < 0 ? x - amount : x + amount; }
}  // namespace

int RivoPointModel::columnWidth(int column) const {
    switch (column) {
    case kPointColumn: return 70;
    case kAxisColumn: return 60;
    case kModeColumn: return 80;
    case kPositionColumn: return 130;
    case kSpeedColumn: return 130;
    default: return 90;
    }
}

bool RivoPointModel::isConnected(int driver) const {
    const std::uint8_t model = ConstNetworkDriverRecord(image_, driver).model();
    return model >= 1 && model <= 4;
}

bool RivoPointModel::showsMillimetres(int driver) const {
    const ConstNetworkDriverRecord record(image_, driver);
    // Without two usable ratio words nothing can be converted: the values are
    // shown and taken in steps (Hz), as for a step driver.
    return record.unit() != 2 && record.ratio1() != 0 && record.ratio2() != 0;
}

std::int32_t RivoPointModel::hundredthsOfSteps(std::int32_t steps, std::uint16_t first, std::uint16_t second) {
    if (first == 0 || second == 0) return steps;
    return static_cast<std::int32_t>(static_cast<std::int64_t>(steps) * first / second);
}

std::int32_t RivoPointModel::stepsOfMillimetres(double millimetres, std::uint16_t first, std::uint16_t second) {
    double x = awayFromZero(millimetres, 0.0000001);
    if (x < -80000.0) x = -80000.0;
    if (x > 80000.0) x = 80000.0;
    if (first == 0 || second == 0) return static_cast<std::int32_t>(x * 100.0);
    const double y = x * 100.0 * second / first;
    if (y > 8000000.0) return 8000000;
    if (y < -8000000.0) return -8000000;
    return static_cast<std::int32_t>(y);
}

std::int32_t RivoPointModel::hertzOfMillimetresPerSecond(double speed, std::uint16_t first, std::uint16_t second) {
    double x = awayFromZero(speed, 0.000001);
    if (x < 0.0) x = 0.0;
    if (x > 10000.0) x = 10000.0;
    if (first == 0 || second == 0) return static_cast<std::int32_t>(x * 100.0);
    const double y = x * 100.0 * second / first;
    if (y > 1000000.0) return 1000000;
    if (y < 0.0) return 0;
    return static_cast<std::int32_t>(y);
}

std::int32_t RivoPointModel::millisecondsOfSeconds(double seconds) {
    double x = awayFromZero(seconds, 0.000001);
    if (!(x >= 0.001)) x = 0.001;  // a NaN counts as too small
    if (x > 1000.0) x = 1000.0;
    return static_cast<std::int32_t>(x * 1000.0);
}

std::string RivoPointModel::valueText(int row, int column, bool withUnit) const {
    const int driver = driverOfRow(row);
    const ConstNetworkDriverRecord record(image_, driver);
    const ConstNetworkPointRecord point = record.point(pointOfRow(row));
    switch (column) {
    case kModeColumn:
        return point.mode() == 1 ? "ABS" : "INC";
    case kPositionColumn:
    case kSpeedColumn: {
        const std::int32_t raw = column == kPositionColumn ? point.position() : point.speed();
        if (!showsMillimetres(driver)) return std::to_string(raw);
        const std::int32_t hundredths = hundredthsOfSteps(raw, record.ratio1(), record.ratio2());
        if (!withUnit) return twoDecimalText(hundredths);
        return twoDecimalText(hundredths, column == kPositionColumn ? " mm" : " mm/s");
    }
    case kAccelColumn:
        return millisecondsText(point.accelTime());
    case kDecelColumn:
        return millisecondsText(point.decelTime());
    default:
        return {};
    }
}

std::string RivoPointModel::cellText(int row, int column) const {
    if (!inTable(row, column)) return {};
    if (row == 0) {
        const char* const headers[] = {"ポイント", "軸", "運転方式", "位置\n[step]", "運転速度\n[Hz]", "加速時間\n[s]", "減速時間\n[s]"};
        return headers[column];
    }
    char text[32];
    if (column == kPointColumn) {
        if (driverOfRow(row) != 0) return {};
        std::snprintf(text, sizeof text, "PT%03d", pointOfRow(row) + 1);
        return text;
    }
    if (column == kAxisColumn) {
        std::snprintf(text, sizeof text, "軸%02d", driverOfRow(row) + 1);
        return text;
    }
    return valueText(row, column, true);
}

std::string RivoPointModel::editText(int row, int column) const {
    if (!isPointRow(row) || column < kModeColumn) return cellText(row, column);
    return valueText(row, column, false);
}

CellKind RivoPointModel::cellKind(int row, int column) const {
    if (row == 0) return CellKind::Header;
    if (column == kPointColumn) return CellKind::Label;
    if (!isConnected(driverOfRow(row))) return CellKind::ReadOnly;
    if (column == kAxisColumn) return CellKind::Label;
    return column == kModeColumn ? CellKind::DropDown : CellKind::Text;
}

std::vector<std::string> RivoPointModel::choices(int row, int column) const {
    if (!isPointRow(row) || column != kModeColumn) return {};
    return {"INC", "ABS"};
}

std::string RivoPointModel::helpText(int row, int column) const {
    (void)row;
    switch (column) {
    case kModeColumn:
        return helpOf("運転方式を設定します。\nINC（相対位置決め）：移動した先を、次の移動の開始点とします。\n"
                      "ABS（絶対位置決め）：原点からの位置（移動量）を設定します。",
                      "・INC(初期値)\n・ABS");
    case kPositionColumn:
        return helpOf("位置決め運転の位置（移動量）を設定します。", "-8000000～8000000 [step]\n(初期値：0 [step])");
    case kSpeedColumn:
        return helpOf("位置決め運転の運転速度を設定します。", "0～1000000 [Hz]\n(初期値：1000 [Hz])");
    case kAccelColumn:
        return helpOf("位置決め運転の加速時間を設定します。", "0.001～1000.000 [s]\n(初期値：1.000 [s])");
    case kDecelColumn:
        return helpOf("位置決め運転の減速時間を設定します。", "0.001～1000.000 [s]\n(初期値：1.000 [s])");
    default:
        return {};
    }
}

std::optional<ValueRange> RivoPointModel::valueRange(int row, int column) const {
    if (!isPointRow(row) || !isEditable(row, column)) return std::nullopt;
    const bool millimetres = showsMillimetres(driverOfRow(row));
    switch (column) {
    case kPositionColumn:
        if (millimetres) return ValueRange{-8000000, 8000000, 2, "mm"};
        return ValueRange{-8000000, 8000000, 0, "step", true};
    case kSpeedColumn:
        if (millimetres) return ValueRange{0, 1000000, 2, "mm/s"};
        return ValueRange{0, 1000000, 0, "Hz", true};
    case kAccelColumn:
    case kDecelColumn:
        return ValueRange{1, 1000000, 3, "s"};
    default:
        return std::nullopt;
    }
}

std::string RivoPointModel::lockNote(int row, int column) const {
    if (!isPointRow(row) || column < kAxisColumn || column >= kColumns || isConnected(driverOfRow(row))) return {};
    return notConnectedNote(cellText(row, kAxisColumn), "「RIVO軸設定」で");
}

MaybeRefusal RivoPointModel::commit(int row, int column, const std::string& text) {
    if (!isPointRow(row) || column < kModeColumn || column >= kColumns || !isEditable(row, column)) return std::nullopt;
    const int driver = driverOfRow(row);
    const ConstNetworkDriverRecord record(image_, driver);
    const NetworkPointRecord point = NetworkDriverRecord(image_, driver).point(pointOfRow(row));
    ImageEdit edit(image_, sink_);
    if (column == kModeColumn) {
        if (text == "INC") edit.write(point.offsetOf(NetworkPointRecord::kMode), 1, 0);
        if (text == "ABS") edit.write(point.offsetOf(NetworkPointRecord::kMode), 1, 1);
        return std::nullopt;
    }
    if (!isHalfWidthNumber(text)) return halfWidthNumberRefusal();
    const bool millimetres = showsMillimetres(driver);
    switch (column) {
    case kPositionColumn: {
        const std::int32_t steps = millimetres ? stepsOfMillimetres(readNumber(text), record.ratio1(), record.ratio2())
                                               : integerCellValue(text, -8000000, 8000000);
        edit.write(point.offsetOf(NetworkPointRecord::kPosition), 4, steps);
        break;
    }
    case kSpeedColumn: {
        const std::int32_t hertz = millimetres ? hertzOfMillimetresPerSecond(readNumber(text), record.ratio1(), record.ratio2())
                                               : integerCellValue(text, 0, 1000000);
        edit.write(point.offsetOf(NetworkPointRecord::kSpeed), 4, hertz);
        break;
    }
    case kAccelColumn:
        edit.write(point.offsetOf(NetworkPointRecord::kAccelTime), 4, millisecondsOfSeconds(readNumber(text)));
        break;
    case kDecelColumn:
        edit.write(point.offsetOf(NetworkPointRecord::kDecelTime), 4, millisecondsOfSeconds(readNumber(text)));
        break;
    default:
        break;
    }
    return std::nullopt;
}

}  // namespace vantrel
