#include "settings/SettingsTableModel.h"

namespace vantrel {

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
