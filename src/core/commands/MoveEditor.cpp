#include "commands/MoveEditor.h"

#include "commands/FieldChecks.h"
#include "program/CommandCode.h"
#include "program/StepEditor.h"
#include "program/ValueTexts.h"

namespace vantrel {

namespace {

constexpr int kFirstTablePoint = 1001;
constexpr int kLastTablePoint = 2000;
const std::string kNoText;

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// The speed byte of a point as a field shows it; "100" when the point does not exist.
std::string pointSpeedText(const SettingsImage& image, int axis, int point) {
    if (!SettingsImage::positionRecordOffset(axis, point - 1)) return "100";
    return std::to_string(ConstPositionRecord(image, axis, point - 1).speed());
}

// Point number of an allocated index (-1 when none was free gives 0).
int pointOfIndex(int index) { return index < 0 ? 0 : index + 1; }

}  // namespace

AutoPointAllocator autoPointsOf(const StepEditor& steps) {
    return [&steps](int k) { return steps.allocateAutoPoint(k); };
}

bool MoveEditor::handles(int code) {
    switch (code) {
    case kCodeMoveD: case kCodeMovePD: case kCodeMove: case kCodeMoveP:
    case kCodeLine: case kCodeLineC: case kCodeArc: case kCodeArcC:
        return true;
    default:
        return false;
    }
}

MoveEditor::Kind MoveEditor::kindOf(int code) {
    switch (code) {
    case kCodeMove: case kCodeMoveP: return Kind::PointMove;
    case kCodeLine: case kCodeLineC: return Kind::Linear;
    case kCodeArc: case kCodeArcC: return Kind::Arc;
    default: return Kind::AxisMove;
    }
}

MoveEditor::MoveEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting,
                       const SettingsImage& image, const AutoPointAllocator& autoPoints)
    : PulseAxisEditor(code, record, editExisting, image), kind_(kindOf(code)) {
    const bool perAxisSpeed = kind_ == Kind::AxisMove || kind_ == Kind::PointMove;
    speeds_.assign(perAxisSpeed ? kPulseAxisCount : 1, "100");
    incremental_ = start().incremental != 0;
    if (kind_ == Kind::PointMove) {
        points_ = ChoiceList::numbers(kFirstTablePoint, kLastTablePoint, 4);
        // A step naming no point shows 0, and OK asks for one instead of
        // writing the positions into PT1001.
        if (editExisting)
            points_.chooseOrKeep(start().point1,
                                 start().point1 == 0 ? ChoiceList::Kept::Refused : ChoiceList::Kept::Accepted);
    } else if (editExisting) {
        point1_ = start().point1;
        point2_ = kind_ == Kind::Arc ? start().point2 : 0;
    } else {
        point1_ = autoPoints ? pointOfIndex(autoPoints(0)) : 0;
        point2_ = kind_ == Kind::Arc && autoPoints ? pointOfIndex(autoPoints(1)) : 0;
    }
    showPoints();
    if (!perAxisSpeed && editExisting) {
        int shown = 0;
        while (shown < kPulseAxisCount - 1 && !checked_[at(shown)]) ++shown;
        speeds_[0] = pointSpeedText(this->image(), shown, point1());
    }
}

void MoveEditor::showPoints() {
    const int points[2] = {point1(), point2_};
    for (int row = 0; row < positionRows(); ++row)
        for (int axis = 0; axis < kPulseAxisCount; ++axis)
            positions_[at(row)][at(axis)] =
                formatPosition(positionUnit(axis), image().readPosition(axis, points[row] - 1));
    if (speeds_.size() == kPulseAxisCount)
        for (int axis = 0; axis < kPulseAxisCount; ++axis) speeds_[at(axis)] = pointSpeedText(image(), axis, point1());
}

std::string MoveEditor::title() const {
    switch (kind_) {
    case Kind::AxisMove: return "軸移動";
    case Kind::PointMove: return "軸移動(ポイント指定)";
    case Kind::Linear: return code() == kCodeLineC ? "直線補間C" : "直線補間";
    case Kind::Arc: return code() == kCodeArcC ? "円弧補間C" : "円弧補間";
    }
    return {};
}

std::string MoveEditor::positionRowLabel(int row) const {
    if (kind_ != Kind::Arc) return "位置";
    return row == 0 ? "経由点" : "終点";
}

const std::string& MoveEditor::positionText(int row, int axis) const {
    if (row < 0 || row >= positionRows() || axis < 0 || axis >= kPulseAxisCount) return kNoText;
    return positions_[at(row)][at(axis)];
}

void MoveEditor::setPositionText(int row, int axis, std::string text) {
    if (row < 0 || row >= positionRows() || axis < 0 || axis >= kPulseAxisCount) return;
    positions_[at(row)][at(axis)] = std::move(text);
}

std::string MoveEditor::speedLabel() const { return speedFields() == 1 ? "補間速度" : "速度"; }

const std::string& MoveEditor::speedText(int field) const {
    if (field < 0 || field >= speedFields()) return kNoText;
    return speeds_[at(field)];
}

void MoveEditor::setSpeedText(int field, std::string text) {
    if (field >= 0 && field < speedFields()) speeds_[at(field)] = std::move(text);
}

void MoveEditor::choosePoint(int index) {
    if (kind_ == Kind::PointMove && points_.choose(index)) showPoints();
}

int MoveEditor::point1() const { return kind_ == Kind::PointMove ? points_.chosenNumber() : point1_; }

EditorResult MoveEditor::accept() {
    if (auto refusal = points_.checkChosen(kPointChoiceCaption)) return EditorResult::refused(*refusal);
    if (auto refusal = checkAnyAxis()) return EditorResult::refused(*refusal);
    if (kind_ == Kind::Arc && checkedCount() != 2) return EditorResult::refused(editorRefusal(kSelectTwoAxesMessage));

    std::array<std::array<std::int32_t, kPulseAxisCount>, 2> positions{};
    for (int row = 0; row < positionRows(); ++row)
        for (int axis = 0; axis < kPulseAxisCount; ++axis) {
            if (!checked_[at(axis)]) continue;
            const auto position = checkPositionField(positionUnit(axis), positions_[at(row)][at(axis)]);
            if (!position) return EditorResult::refused(*position.refusal);
            positions[at(row)][at(axis)] = position.value;
        }
    std::array<std::int32_t, kPulseAxisCount> speeds{};
    for (int field = 0; field < speedFields(); ++field) {
        if (speedFields() > 1 && !checked_[at(field)]) continue;
        const auto speed = checkSpeedRateField(speeds_[at(field)]);
        if (!speed) return EditorResult::refused(*speed.refusal);
        speeds[at(field)] = speed.value;
    }

    CommandEditRecord record = newRecord();
    copyChecks(record);
    for (int axis = 0; axis < kPulseAxisCount; ++axis) {
        auto& first = record.axes[at(axis)];
        if (checked_[at(axis)]) {
            first.position = positions[0][at(axis)];
            first.speedRate = speedFields() > 1 ? speeds[at(axis)] : speeds[0];
        }
        if (kind_ == Kind::Arc) {
            // The end point shares the boxes; the one speed goes to all eight entries.
            record.axes[at(axis + 4)] = {first.selected, checked_[at(axis)] ? positions[1][at(axis)] : 0, speeds[0]};
            first.speedRate = speeds[0];
        }
    }
    record.point1 = static_cast<std::uint16_t>(point1());
    record.point2 = static_cast<std::uint16_t>(point2_);
    record.incremental = incremental_ ? 1 : 0;

    for (int row = 0; row < positionRows(); ++row)
        for (int axis = 0; axis < kPulseAxisCount; ++axis)
            if (checked_[at(axis)]) positions_[at(row)][at(axis)] = formatPosition(positionUnit(axis), positions[at(row)][at(axis)]);
    for (int field = 0; field < speedFields(); ++field)
        if (speedFields() == 1 || checked_[at(field)]) speeds_[at(field)] = speedRateFieldText(speeds[at(field)]);
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
