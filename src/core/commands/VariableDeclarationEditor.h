#pragma once

// The variable declaration "変数宣言" (48): either a name typed freely
// ("変数名任意指定", checked as a variable name) or one of the system
// variables picked from their list ("変数名一覧から指定"). The name is the
// operand. An existing step naming a system variable re-opens on the list with
// it chosen; any other name re-opens as typed.

#include <string>

#include "commands/CommandEditor.h"

namespace vantrel {

class VariableDeclarationEditor : public CommandEditor {
public:
    VariableDeclarationEditor(const CommandEditRecord& record, bool editExisting);

    std::string title() const override;
    // Free name: "変数名が未設定です。" when empty, else the name's own
    // message; list: "変数名が未選択です。" without a row.
    EditorResult accept() override;

    bool fromList() const { return fromList_; }
    void setFromList(bool fromList) { fromList_ = fromList; }
    bool nameEnabled() const { return !fromList_; }
    bool listEnabled() const { return fromList_; }

    // The typed name (UTF-8).
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // A row of systemVariables(), -1 for none.
    int chosenVariable() const { return chosen_; }
    void chooseVariable(int row);

private:
    bool fromList_ = false;
    std::string name_;
    int chosen_ = -1;
};

}  // namespace vantrel
