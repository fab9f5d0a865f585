#include "undo/CellEditName.h"

#include <string_view>

namespace vantrel {

namespace {

std::string firstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

void appendWord(std::string& name, const std::string& word) {
    if (word.empty()) return;
    if (!name.empty()) name += ' ';
    name += word;
}

}  // namespace

std::string cellEditName(const SettingsTableModel& model, int row, int column) {
    std::string name;
    for (int label = 0; label < model.fixedColumnCount() && label < column; ++label) {
        std::string text;
        for (int above = row; above >= model.fixedRowCount() && text.empty(); --above)
            text = firstLine(model.cellText(above, label));
        appendWord(name, text);
    }
    for (int header = 0; header < model.fixedRowCount(); ++header) appendWord(name, firstLine(model.cellText(header, column)));
    return name;
}

}  // namespace vantrel
