#include "commands/ListSources.h"

#include <array>

#include "platform/AnsiText.h"
#include "program/TextScan.h"

namespace vantrel {

ChoiceList labelChoices(const StepEditor::LabelSet& labels) {
    std::vector<std::pair<int, std::string>> entries;
    for (int label = 1; label < static_cast<int>(labels.size()); ++label)
        if (labels[static_cast<std::size_t>(label)]) entries.emplace_back(label, zeroPadded(label, 3) + " ");
    return ChoiceList::entries(std::move(entries), 3);
}

ChoiceList programChoices(const ProgramDirectory& directory) {
    std::vector<std::pair<int, std::string>> entries;
    for (const std::uint8_t number : directory.numbers)
        entries.emplace_back(number, zeroPadded(number, 3) + "  " + ansiToUtf8(directory.name(number)));
    return ChoiceList::entries(std::move(entries), 3);
}

std::vector<ProgramRow> programRows(const ProgramDirectory& directory) {
    std::vector<ProgramRow> rows;
    for (const std::uint8_t number : directory.numbers)
        rows.push_back({number, "P" + zeroPadded(number, 3), ansiToUtf8(directory.name(number))});
    return rows;
}

std::span<const SystemVariable> systemVariables() {
    static constexpr std::array<SystemVariable, 13> variables = {{
        {"MR100", "検出位置 軸1"},
        {"MR101", "検出位置 軸2"},
        {"MR102", "検出位置 軸3"},
        {"MR103", "検出位置 軸4"},
        {"MR104", "指令位置 軸1"},
        {"MR105", "指令位置 軸2"},
        {"MR106", "指令位置 軸3"},
        {"MR107", "指令位置 軸4"},
        {"MR110", "検出速度 軸1"},
        {"MR111", "検出速度 軸2"},
        {"MR112", "検出速度 軸3"},
        {"MR113", "検出速度 軸4"},
        {"MR040", "RIVO通信異常"},
    }};
    return variables;
}

}  // namespace vantrel
