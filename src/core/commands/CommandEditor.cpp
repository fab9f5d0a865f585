#include "commands/CommandEditor.h"

namespace vantrel {

CommandEditor::CommandEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting)
    : code_(code), editExisting_(editExisting), start_(editExisting ? record : CommandEditRecord{}) {}

CommandEditRecord CommandEditor::newRecord() const {
    CommandEditRecord record;
    record.code = code_;
    record.label = start_.label;
    record.comment = start_.comment;
    return record;
}

}  // namespace vantrel
