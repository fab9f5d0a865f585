#include "commands/NetworkMoveEditor.h"

#include "data/ValueText.h"
#include "program/CommandCode.h"

namespace vantrel {

namespace {

constexpr int kOfferedPoints = 64;
constexpr std::uint8_t kStepUnit = 2;
// What a point beyond the driver's records, or of a driver outside 1..16
// (only from a program file), shows.
const std::string kNoData = "---";

}  // namespace

bool NetworkMoveEditor::handles(int code) { return code == kCodeMove2P || code == kCodeMove2; }

NetworkMoveEditor::NetworkMoveEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting,
                                     const SettingsImage& image)
    : CommandEditor(code, record, editExisting), image_(image),
      axes_(ChoiceList::numbers(1, layout::kNetworkDriverCount, 3)),
      points_(ChoiceList::numbers(1, kOfferedPoints, 3)) {
    if (!editExisting) return;  // a new step starts at driver 1, point 1
    // A driver outside 1..16 or point 0 (from a file) stays shown, and OK asks
    // for a valid one. A point beyond the 64 offered is the driver's own.
    axes_.chooseOrKeep(start().networkAxis, ChoiceList::Kept::Refused);
    points_.chooseOrKeep(start().point1, start().point1 == 0 ? ChoiceList::Kept::Refused : ChoiceList::Kept::Accepted);
}

std::string NetworkMoveEditor::title() const { return "軸移動(RIVO)"; }

EditorResult NetworkMoveEditor::accept() {
    if (auto refusal = axes_.checkChosen(kDriverChoiceCaption)) return EditorResult::refused(*refusal);
    if (auto refusal = points_.checkChosen(kPointChoiceCaption)) return EditorResult::refused(*refusal);
    CommandEditRecord record = newRecord();
    record.networkAxis = static_cast<std::uint8_t>(axes_.chosenNumber());
    record.point1 = static_cast<std::uint16_t>(points_.chosenNumber());
    record.operand = "A" + std::to_string(axes_.chosenNumber()) + " P" + points_.texts()[static_cast<std::size_t>(points_.chosenIndex())] + " ";
    return EditorResult::filled(std::move(record));
}

std::optional<ConstNetworkPointRecord> NetworkMoveEditor::chosenPoint() const {
    const auto chosen = driver();
    const int point = points_.chosenNumber();
    if (!chosen || point < 1 || point > layout::kNetworkPointCount) return std::nullopt;
    return chosen->point(point - 1);
}

std::optional<ConstNetworkDriverRecord> NetworkMoveEditor::driver() const {
    const int axis = axes_.chosenNumber();
    if (axis < 1 || axis > layout::kNetworkDriverCount) return std::nullopt;
    return ConstNetworkDriverRecord(image_, axis - 1);
}

bool NetworkMoveEditor::showsMillimetres() const {
    // Without two usable ratio words nothing converts: steps (Hz) as for a step driver.
    const auto chosen = driver();
    return chosen && chosen->unit() != kStepUnit && chosen->ratio1() != 0 && chosen->ratio2() != 0;
}

std::string NetworkMoveEditor::scaledText(std::int32_t raw) const {
    if (!showsMillimetres()) return std::to_string(raw);
    return twoDecimalText(static_cast<std::int64_t>(raw) * driver()->ratio1() / driver()->ratio2());
}

std::string NetworkMoveEditor::modeText() const {
    const auto point = chosenPoint();
    return !point ? kNoData : point->mode() == 1 ? "abs" : "inc";
}

std::string NetworkMoveEditor::positionText() const {
    const auto point = chosenPoint();
    return point ? scaledText(point->position()) : kNoData;
}

std::string NetworkMoveEditor::speedText() const {
    const auto point = chosenPoint();
    return point ? scaledText(point->speed()) : kNoData;
}

std::string NetworkMoveEditor::positionUnit() const { return showsMillimetres() ? "mm" : "step"; }

std::string NetworkMoveEditor::speedUnit() const { return showsMillimetres() ? "mm/s" : "Hz"; }

std::string NetworkMoveEditor::accelTimeText() const {
    const auto point = chosenPoint();
    return point ? millisecondsText(point->accelTime()) : kNoData;
}

std::string NetworkMoveEditor::decelTimeText() const {
    const auto point = chosenPoint();
    return point ? millisecondsText(point->decelTime()) : kNoData;
}

}  // namespace vantrel
