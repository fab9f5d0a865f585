#include "settings/SettingsTableModel.h"

#include <algorithm>

#include "settings/CellNotes.h"

namespace vantrel {

std::string CellCommit::note() const {
    return clamped ? clampNote(clamped->typed, clamped->stored, clamped->range) : std::string();
}

CellCommit SettingsTableModel::commitCell(int row, int column, const std::string& text) {
    // The range before the commit: the one the typed number was held against.
    const std::optional<ValueRange> range = isEditable(row, column) ? valueRange(row, column) : std::nullopt;
    CellCommit result{commit(row, column, text), std::nullopt};
    if (!range) return result;
    if (result.refusal) {
        result.refusal->note = rangeNote(*range);
    } else if (range->clamps(text)) {
        const std::string typed = text.substr(std::min(text.find_first_not_of(' '), text.size()));
        result.clamped = ClampedValue{typed, cellText(row, column), *range};
    }
    return result;
}

std::uint32_t SettingsTableModel::backgroundColour(int row, int column) const {
    switch (cellKind(row, column)) {
    case CellKind::Header:
    case CellKind::Label:
        return cellColour::kHeader;
    case CellKind::ReadOnly:
        return cellColour::kReadOnlyGrey;
    case CellKind::Text:
    case CellKind::DropDown:
        break;
    }
    return cellColour::kWhite;
}

}  // namespace vantrel
