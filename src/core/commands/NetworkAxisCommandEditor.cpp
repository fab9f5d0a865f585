#include "commands/NetworkAxisCommandEditor.h"

#include "data/SettingsImage.h"
#include "program/CommandCode.h"

namespace vantrel {

bool NetworkAxisCommandEditor::handles(int code) {
    return code == kCodeHome2P || code == kCodeHome2 || code == kCodeBreak2 || code == kCodeSav2 || code == kCodeNioRd;
}

NetworkAxisCommandEditor::NetworkAxisCommandEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting)
    : CommandEditor(code, record, editExisting), axes_(ChoiceList::numbers(1, layout::kNetworkDriverCount, 3)) {
    on_ = start().onOff == 0;  // SAV2: 1 = OFF, both ways
    // A driver outside 1..16 (from a file) stays shown, and OK asks for a valid one.
    if (editExisting) axes_.chooseOrKeep(start().networkAxis, ChoiceList::Kept::Refused);
}

std::string NetworkAxisCommandEditor::title() const {
    switch (code()) {
    case kCodeBreak2: return "軸停止(RIVO)";
    case kCodeSav2: return "励磁ON/OFF(RIVO)";
    case kCodeNioRd: return "ﾘﾓｰﾄI/O読出";
    default: return "原点復帰(RIVO)";
    }
}

bool NetworkAxisCommandEditor::hasOnOff() const { return code() == kCodeSav2; }

EditorResult NetworkAxisCommandEditor::accept() {
    if (auto refusal = axes_.checkChosen(kDriverChoiceCaption)) return EditorResult::refused(*refusal);
    CommandEditRecord record = newRecord();
    record.networkAxis = static_cast<std::uint8_t>(axes_.chosenNumber());
    record.operand = "A" + std::to_string(axes_.chosenNumber()) + " ";
    if (hasOnOff()) record.onOff = on_ ? 0 : 1;
    return EditorResult::filled(std::move(record));
}

}  // namespace vantrel
