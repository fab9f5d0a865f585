#include "commands/NetworkMoveEditor.h"

#include "data/ValueText.h"
#include "program/CommandCode.h"

namespace vantrel {

namespace {

constexpr int kOfferedPoints = 64;
constexpr std::uint8_t kStepUnit = 2;
// What a point beyond the driver's records (only from a program file) shows.
const std::string kNoData = "---";

}  // namespace

bool NetworkMoveEditor::handles(int code) { return code == kCodeMove2P || code == kCodeMove2; }

NetworkMoveEditor::NetworkMoveEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting,
                                     const SettingsImage& image)
    : CommandEditor(code, record, editExisting), image_(image),
      axes_(ChoiceList::numbers(1, layout::kNetworkDriverCount, 3)),
      points_(ChoiceList::numbers(1, kOfferedPoints, 3)) {
    if (start().networkAxis != 0) axes_.chooseNumber(start().networkAxis);
    if (start().point1 != 0) points_.chooseOrKeep(start().point1);
}

std::string NetworkMoveEditor::title() const { return "軸移動(RIVO)"; }

EditorResult NetworkMoveEditor::accept() {
    CommandEditRecord record = newRecord();
    record.networkAxis = static_cast<std::uint8_t>(axes_.chosenNumber());
    record.point1 = static_cast<std::uint16_t>(points_.chosenNumber());
    record.operand = "A" + std::to_string(axes_.chosenNumber()) + " P" + points_.texts()[static_cast<std::size_t>(points_.chosenIndex())] + " ";
    return EditorResult::filled(std::move(record));
}

std::optional<ConstNetworkPointRecord> NetworkMoveEditor::chosenPoint() const {
    const int point = points_.chosenNumber();
    if (point < 1 || point > layout::kNetworkPointCount) return std::nullopt;
    return driver().point(point - 1);
}

ConstNetworkDriverRecord NetworkMoveEditor::driver() const { return {image_, axes_.chosenNumber() - 1}; }

bool NetworkMoveEditor::showsMillimetres() const {
    // Without two usable ratio words nothing converts: steps (Hz) as for a step driver.
    return driver().unit() != kStepUnit && driver().ratio1() != 0 && driver().ratio2() != 0;
}

std::string NetworkMoveEditor::scaledText(std::int32_t raw) const {
    if (!showsMillimetres()) return std::to_string(raw);
    return twoDecimalText(static_cast<std::int64_t>(raw) * driver().ratio1() / driver().ratio2());
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
