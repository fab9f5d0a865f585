#pragma once

// The program choice of "CALL" (19), "プログラム起動" (22, start another
// program) and "プログラム停止" (23, stop it): a list of the programs with the
// columns "プログラムNo." ("P%03d") and "プログラム名称". OK writes "#%03d ".
// A new step starts with no row chosen; an existing one with its program.

#include <string>
#include <vector>

#include "commands/CommandEditor.h"
#include "commands/ListSources.h"

namespace vantrel {

class ProgramChoiceEditor : public CommandEditor {
public:
    static bool handles(int code);
    ProgramChoiceEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting,
                        const ProgramDirectory& directory);

    std::string title() const override;
    // "プログラム未選択です" without a row.
    EditorResult accept() override;

    const std::vector<ProgramRow>& rows() const { return rows_; }
    int chosenRow() const { return chosen_; }
    void chooseRow(int row);

private:
    std::vector<ProgramRow> rows_;
    int chosen_ = -1;
};

}  // namespace vantrel
