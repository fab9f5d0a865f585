#include "settings/DriverSettingModel.h"

#include <algorithm>

#include "data/AccelTable.h"
#include "data/ImageEdit.h"
#include "data/Units.h"
#include "settings/CellNotes.h"

namespace vantrel {

namespace {

using Record = PulseAxisRecord;
using ConstRecord = ConstPulseAxisRecord;

const char* const kNotConnected = "接続無し";
const char* const kLinear = "直線加減速";
const char* const kSCurve = "S字加減速";
const char* const kThreeSensors = "3センサ";
const char* const kTwoSensors = "2センサ";

const char* const kLabels[DriverSettingModel::kRows] = {
    "",
    "接続機種",
    "位置制御単位",
    "速度単位",
    "1回転移動量",
    "最小移動量",
    "分解能[P/R]",
    "起動速度[Hz]",
    "最大回転速度[r/min]",
    "加減速方式",
    "最大加減速時間[s]",
    "最小加減速時間[s]",
    "原点復帰方法",
    "原点復帰開始方向",
    "原点復帰運転速度[Hz]",
    "原点復帰加減速時間[s]",
    "原点復帰起動速度[Hz]",
    "原点復帰オフセット[step]",
};

const char* const kHelp[DriverSettingModel::kRows] = {
    "",
    "【内容】\n接続するドライバのシリーズを設定します。\n\n【設定範囲】\n・QM\n・QS\n・VT3\n・LD（位置制御モード）\n・接続無し（初期値）",
    "【内容】\n位置の単位を設定します。\n\n【設定範囲】\n・mm(初期値)\n・step\n\n"
    "注意：\nこの項目を変更することで設定データ等への影響があります。",
    "【内容】\nモニタで表示する速度の単位です。\n位置制御単位から自動的に決まります。\n\n【設定範囲】\n"
    "・mm/s（位置制御単位がmmの場合、初期値）\n・Hz（位置制御単位がstepの場合）",
    "【内容】\n位置制御単位がmmの場合に、モータ1回転あたりの移動量を設定します。\n\n【設定範囲】\n"
    "1.00～125.00 [mm]\n(初期値：10.00 [mm])",
    "【内容】\n位置制御単位がmmの場合に、指令する位置の最小単位を設定します。\n\n【設定範囲】\n"
    "0.01～1.00 [mm]\n(初期値：0.01 [mm])",
    "【内容】\nモータの分解能です。\n位置制御単位がmmの場合は、1回転移動量と最小移動量から計算されます。"
    "ドライバにも同じ分解能を設定してください。\n計算した分解能が整数にならない場合はセルが黄色に、"
    "範囲を外れる場合は赤色になります。その場合は最小移動量を見直してください。\n"
    "位置制御単位がstepの場合は、ドライバに設定した分解能を入力してください。\n\n【設定範囲】\n"
    "100～10000 [P/R]\n(初期値：1000 [P/R])",
    "【内容】\nモータの起動速度を設定します。\n\n【設定範囲】\n0～100000 [Hz]\n(初期値：500 [Hz])",
    "【内容】\nモータの最大回転速度を設定します。\n\n【設定範囲】\n1～6000 [r/min]\n(初期値：4000 [r/min])",
    "【内容】\n加減速方式を設定します。\n\n【設定範囲】\n・直線加減速（初期値）\n・S字加減速",
    "【内容】\n起動速度から運転速度までの最も長い加速時間と、最も長い減速時間を設定します。\n"
    "最大加減速時間は最小加減速時間以上にしてください。\n"
    "プログラムでは最大加減速時間から最小加減速時間までの26段階から加減速時間を選択します。\n\n【設定範囲】\n"
    "0.01～1000.00 [s]\n(初期値：0.75 [s])",
    "【内容】\n起動速度から運転速度までの最も短い加速時間と、最も短い減速時間を設定します。\n"
    "最大加減速時間は最小加減速時間以上にしてください。\n"
    "プログラムでは最大加減速時間から最小加減速時間までの26段階から加減速時間を選択します。\n\n【設定範囲】\n"
    "0.01～1000.00 [s]\n(初期値：0.06 [s])",
    "【内容】\n原点復帰方法を設定します。\n\n【設定範囲】\n・3センサ（初期値）\n・2センサ",
    "【内容】\n原点検出を開始する方向を設定します。\n\n【設定範囲】\n・CCW（初期値）\n・CW",
    "【内容】\n原点復帰の運転速度を設定します。\n\n【設定範囲】\n1～1000000 [Hz]\n(初期値：1000 [Hz])",
    "【内容】\n原点復帰の加減速時間を設定します。\n\n【設定範囲】\n0.01～1000.00 [s]\n(初期値：0.75 [s])",
    "【内容】\n原点復帰の起動速度を設定します。\n\n【設定範囲】\n1～100000 [Hz]\n(初期値：500 [Hz])",
    "【内容】\n原点からのオフセットを設定します。\n\n【設定範囲】\n-32768～32767 [step]\n(初期値：0 [step])",
};

// An integer row: its field, width, range and unit.
struct IntegerRow {
    int row;
    std::size_t field;
    int size;
    std::int32_t minimum;
    std::int32_t maximum;
    const char* unit;
};
constexpr IntegerRow kIntegerRows[] = {
    {DriverSettingModel::kResolutionRow, Record::kResolution, 2, 100, 10000, "P/R"},
    {DriverSettingModel::kStartSpeedRow, Record::kStartSpeed, 4, 0, 100000, "Hz"},
    {DriverSettingModel::kMaxRotationSpeedRow, Record::kMaxRotationSpeed, 2, 1, 6000, "r/min"},
    {DriverSettingModel::kHomeSpeedRow, Record::kHomeSpeed, 4, 1, 1000000, "Hz"},
    {DriverSettingModel::kHomeStartSpeedRow, Record::kHomeStartSpeed, 4, 1, 100000, "Hz"},
    {DriverSettingModel::kHomeOffsetRow, Record::kHomeOffset, 2, -32768, 32767, "step"},
};

const IntegerRow* integerRow(int row) {
    for (const auto& r : kIntegerRows)
        if (r.row == row) return &r;
    return nullptr;
}

// Range of a two-decimal row, in hundredths of the unit shown.
ValueRange decimalRange(int row, std::uint8_t positionUnit) {
    const char* const length = positionUnit == kPositionUnitDeg ? "deg" : "mm";
    switch (row) {
    case DriverSettingModel::kTravelRow: return {100, 12500, 2, length};
    case DriverSettingModel::kMinTravelRow: return {1, 100, 2, length};
    default: return {1, 100000, 2, "s"};
    }
}

bool isDecimalRow(int row) {
    return row == DriverSettingModel::kTravelRow || row == DriverSettingModel::kMinTravelRow ||
           row == DriverSettingModel::kMaxAccelTimeRow || row == DriverSettingModel::kMinAccelTimeRow ||
           row == DriverSettingModel::kHomeAccelTimeRow;
}

}  // namespace

std::string DriverSettingModel::modelText(std::uint8_t code) {
    switch (code) {
    case 1: return "QM";
    case 2: return "QS";
    case 3: return "VT3";
    case 5: return "LD";
    default: return kNotConnected;
    }
}

std::uint8_t DriverSettingModel::modelCode(const std::string& text) {
    if (text == "QM") return 1;
    if (text == "QS") return 2;
    if (text == "VT3") return 3;
    if (text == "LD") return 5;
    return 0;
}

DriverSettingModel::AxisKind DriverSettingModel::axisKind(int axis) const {
    const ConstRecord record(image_, axis);
    if (modelText(record.model()) == kNotConnected) return AxisKind::NotConnected;
    switch (record.positionUnit()) {
    case kPositionUnitDeg: return AxisKind::Degree;
    case kPositionUnitStep: return AxisKind::Step;
    default: return AxisKind::Millimetre;
    }
}

std::string DriverSettingModel::cellText(int row, int column) const {
    if (!inTable(row, column)) return {};
    if (row == 0) return column == 0 ? "" : "軸" + std::to_string(column);
    if (column == 0) return kLabels[row];
    const int axis = column - 1;
    const ConstRecord r(image_, axis);
    switch (row) {
    case kModelRow: return modelText(r.model());
    case kPositionUnitRow: return r.positionUnit() == kPositionUnitStep ? "step" : "mm";
    case kSpeedUnitRow: return speedUnitText(r.speedUnit());
    case kTravelRow: return travelText(r.travelPerRev(), r.positionUnit());
    case kMinTravelRow: return travelText(r.minTravel(), r.positionUnit());
    case kResolutionRow: return std::to_string(r.resolution());
    case kStartSpeedRow: return std::to_string(r.startSpeed());
    case kMaxRotationSpeedRow: return std::to_string(r.maxRotationSpeed());
    case kAccelTypeRow: return r.accelType() == 1 ? kSCurve : kLinear;
    case kMaxAccelTimeRow: return twoDecimalText(r.accelTime(25));
    case kMinAccelTimeRow: return twoDecimalText(r.accelTime(0));
    case kHomeMethodRow: return r.homeMethod() == 1 ? kTwoSensors : kThreeSensors;
    case kHomeDirectionRow: return r.homeDirection() != 0 ? "CW" : "CCW";
    case kHomeSpeedRow: return std::to_string(r.homeSpeed());
    case kHomeAccelTimeRow: return twoDecimalText(r.homeAccelTime());
    case kHomeStartSpeedRow: return std::to_string(r.homeStartSpeed());
    case kHomeOffsetRow: return std::to_string(r.homeOffset());
    default: return {};
    }
}

std::string DriverSettingModel::editText(int row, int column) const {
    if (!isValueCell(row, column) || (row != kTravelRow && row != kMinTravelRow)) return cellText(row, column);
    const ConstRecord r(image_, column - 1);
    if (!isHundredthsUnit(r.positionUnit())) return cellText(row, column);  // "---": read-only on a step axis
    return twoDecimalText(row == kTravelRow ? r.travelPerRev() : r.minTravel());
}

CellKind DriverSettingModel::cellKind(int row, int column) const {
    if (row == 0) return CellKind::Header;
    if (column == 0) return CellKind::Label;
    if (row == kModelRow) return CellKind::DropDown;
    const AxisKind kind = axisKind(column - 1);
    if (kind == AxisKind::NotConnected || row == kSpeedUnitRow) return CellKind::ReadOnly;
    if (kind == AxisKind::Millimetre && row == kResolutionRow) return CellKind::ReadOnly;
    if (kind == AxisKind::Step && (row == kTravelRow || row == kMinTravelRow)) return CellKind::ReadOnly;
    if (kind == AxisKind::Degree && row == kTravelRow) return CellKind::ReadOnly;
    switch (row) {
    case kPositionUnitRow:
    case kAccelTypeRow:
    case kHomeMethodRow:
    case kHomeDirectionRow:
        return CellKind::DropDown;
    default:
        return CellKind::Text;
    }
}

std::vector<std::string> DriverSettingModel::choices(int row, int column) const {
    if (!isValueCell(row, column)) return {};
    switch (row) {
    case kModelRow: return {kNotConnected, "QM", "QS", "VT3", "LD"};
    case kPositionUnitRow: return {"mm", "step"};
    case kAccelTypeRow: return {kLinear, kSCurve};
    case kHomeMethodRow: return {kThreeSensors, kTwoSensors};
    case kHomeDirectionRow: return {"CW", "CCW"};
    default: return {};
    }
}

std::uint32_t DriverSettingModel::backgroundColour(int row, int column) const {
    if (row == kResolutionRow && isValueCell(row, column) && axisKind(column - 1) == AxisKind::Millimetre) {
        switch (resolutionState(column - 1)) {
        case ResolutionState::OutOfRange: return cellColour::kRed;
        case ResolutionState::NotInteger: return cellColour::kYellow;
        case ResolutionState::Exact:
        case ResolutionState::Unchanged: break;
        }
    }
    return SettingsTableModel::backgroundColour(row, column);
}

std::string DriverSettingModel::helpText(int row, int column) const {
    (void)column;
    return row >= 1 && row < kRows ? kHelp[row] : "";
}

std::optional<ValueRange> DriverSettingModel::valueRange(int row, int column) const {
    if (!isValueCell(row, column) || cellKind(row, column) != CellKind::Text) return std::nullopt;
    if (const IntegerRow* item = integerRow(row)) return ValueRange{item->minimum, item->maximum, 0, item->unit, true};
    if (!isDecimalRow(row)) return std::nullopt;
    const ConstRecord r(image_, column - 1);
    ValueRange range = decimalRange(row, r.positionUnit());
    // The longest time is never below the shortest one, nor the shortest above the longest.
    if (row == kMaxAccelTimeRow) {
        range.minimum = std::max<std::int64_t>(range.minimum, r.accelTime(0));
        range.maximum = std::max<std::int64_t>(range.maximum, r.accelTime(0));
    }
    if (row == kMinAccelTimeRow) {
        range.minimum = std::min<std::int64_t>(range.minimum, r.accelTime(25));
        range.maximum = std::min<std::int64_t>(range.maximum, r.accelTime(25));
    }
    return range;
}

std::string DriverSettingModel::lockNote(int row, int column) const {
    if (!isValueCell(row, column) || axisKind(column - 1) != AxisKind::NotConnected) return {};
    const std::string axis = "軸" + std::to_string(column);
    return row == kModelRow ? notConnectedNote(axis, {}, "2行目以降を") : notConnectedNote(axis, "1行目で");
}

void DriverSettingModel::opened() {
    for (int axis = 0; axis < layout::kPulseAxisCount; ++axis)
        if (axisKind(axis) == AxisKind::Millimetre) recomputeResolution(axis);
}

DriverSettingModel::ResolutionState DriverSettingModel::resolutionState(int axis) const {
    const ConstRecord r(image_, axis);
    const std::uint32_t travel = r.travelPerRev();
    const std::uint32_t minimum = r.minTravel();
    if (travel == 0 || minimum == 0) return ResolutionState::Unchanged;
    const std::uint32_t resolution = travel / minimum;
    if (resolution < 100 || resolution > 10000) return ResolutionState::OutOfRange;
    return travel % minimum != 0 ? ResolutionState::NotInteger : ResolutionState::Exact;
}

DriverSettingModel::ResolutionState DriverSettingModel::recomputeResolution(int axis) {
    const ResolutionState state = resolutionState(axis);
    if (state == ResolutionState::Unchanged) return state;
    const ConstRecord r(image_, axis);
    std::uint32_t resolution = r.travelPerRev() / r.minTravel();
    if (resolution < 100) resolution = 100;
    if (resolution > 10000) resolution = 10000;
    ImageEdit(image_, sink_).write(Record(image_, axis).offsetOf(Record::kResolution), 2, static_cast<std::int32_t>(resolution));
    return state;
}

void DriverSettingModel::recomputeAccelTable(int axis) {
    const ConstRecord r(image_, axis);
    writeAccelTable(axis, r.accelTime(0), r.accelTime(25));
}

void DriverSettingModel::writeAccelTable(int axis, std::uint32_t minimum, std::uint32_t maximum) {
    Record r(image_, axis);
    const auto table = interpolateAccelTable(minimum, maximum);
    ImageEdit edit(image_, sink_);
    auto send = [&](int i) {
        edit.write(r.offsetOf(Record::accelTimeOffset(i)), 4, static_cast<std::int32_t>(table[static_cast<std::size_t>(i)]));
    };
    for (int i = 1; i <= 24; ++i) send(i);
    send(25);
    send(0);
}

MaybeRefusal DriverSettingModel::commit(int row, int column, const std::string& text) {
    if (!isValueCell(row, column) || !isEditable(row, column)) return std::nullopt;
    const int axis = column - 1;
    if (cellKind(row, column) == CellKind::DropDown) return commitChoice(row, axis, text);
    return commitNumber(row, axis, text);
}

MaybeRefusal DriverSettingModel::commitChoice(int row, int axis, const std::string& text) {
    Record r(image_, axis);
    ImageEdit edit(image_, sink_);
    auto store = [&](std::size_t field, std::uint8_t code) { edit.write(r.offsetOf(field), 1, code); };
    switch (row) {
    case kModelRow:
        store(Record::kModel, modelCode(text));
        break;
    case kPositionUnitRow:
        if (text == "mm") switchPositionUnit(axis, kPositionUnitMm);
        if (text == "step") switchPositionUnit(axis, kPositionUnitStep);
        break;
    case kAccelTypeRow:
        if (text == kLinear) store(Record::kAccelType, 0);
        if (text == kSCurve) store(Record::kAccelType, 1);
        break;
    case kHomeMethodRow:
        if (text == kThreeSensors) store(Record::kHomeMethod, 0);
        if (text == kTwoSensors) store(Record::kHomeMethod, 1);
        break;
    case kHomeDirectionRow:
        if (text == "CCW") store(Record::kHomeDirection, 0);
        if (text == "CW") store(Record::kHomeDirection, 1);
        break;
    default:
        break;
    }
    return std::nullopt;
}

void DriverSettingModel::switchPositionUnit(int axis, std::uint8_t unit) {
    // A unit change resets the mechanical ratio; positions already stored keep
    // their numbers and are read in the new unit. Choosing the unit the axis
    // already has changes nothing, so the ratio the user set is not lost.
    Record r(image_, axis);
    if (r.positionUnit() == unit) return;
    ImageEdit edit(image_, sink_);
    edit.write(r.offsetOf(Record::kTravelPerRev), 2, 1000);
    edit.write(r.offsetOf(Record::kSpeedUnit), 1, unit == kPositionUnitStep ? kSpeedUnitHz : kSpeedUnitMmPerSecond);
    edit.write(r.offsetOf(Record::kResolution), 2, 1000);
    edit.write(r.offsetOf(Record::kMinTravel), 4, 1);
    edit.write(r.offsetOf(Record::kPositionUnit), 1, unit);
}

MaybeRefusal DriverSettingModel::commitNumber(int row, int axis, const std::string& text) {
    if (!isHalfWidthNumber(text)) return halfWidthNumberRefusal();
    Record r(image_, axis);
    ImageEdit edit(image_, sink_);
    if (const IntegerRow* item = integerRow(row)) {
        const std::int32_t value = integerCellValue(text, item->minimum, item->maximum);
        edit.write(r.offsetOf(item->field), item->size, value);
        // A step axis moves one step per pulse: its travel per revolution is its resolution.
        if (row == kResolutionRow && axisKind(axis) == AxisKind::Step) edit.write(r.offsetOf(Record::kTravelPerRev), 2, value);
        return std::nullopt;
    }
    if (!isDecimalRow(row)) return std::nullopt;
    const ValueRange range = decimalRange(row, r.positionUnit());
    const double minimum = static_cast<double>(range.minimum) / 100.0;
    const double maximum = static_cast<double>(range.maximum) / 100.0;
    std::uint32_t value = static_cast<std::uint32_t>(twoDecimalCellValue(text, minimum, maximum));
    switch (row) {
    case kTravelRow:
        edit.write(r.offsetOf(Record::kTravelPerRev), 2, static_cast<std::int32_t>(value));
        recomputeResolution(axis);
        break;
    case kMinTravelRow:
        edit.write(r.offsetOf(Record::kMinTravel), 4, static_cast<std::int32_t>(value));
        recomputeResolution(axis);
        break;
    case kMaxAccelTimeRow:
        if (value < r.accelTime(0)) value = r.accelTime(0);
        writeAccelTable(axis, r.accelTime(0), value);
        break;
    case kMinAccelTimeRow:
        if (value > r.accelTime(25)) value = r.accelTime(25);
        writeAccelTable(axis, value, r.accelTime(25));
        break;
    case kHomeAccelTimeRow:
        edit.write(r.offsetOf(Record::kHomeAccelTime), 4, static_cast<std::int32_t>(value));
        break;
    default:
        break;
    }
    return std::nullopt;
}

}  // namespace vantrel
