#include "settings/IoRogicModel.h"

#include "data/ImageEdit.h"

namespace vantrel {

namespace {
const char* const kContactA = "A接点";
const char* const kContactB = "B接点";
const char* const kHeaders[] = {"", "HOMES", "+LS", "-LS"};
const char* const kHelp[] = {
    "",
    "【内容】\nHOMES 入力の入力接点を設定します。\n\n【設定範囲】\n・A接点（初期値）\n・B接点",
    "【内容】\n+LS 入力の入力接点を設定します。\n\n【設定範囲】\n・A接点 \n・B接点（初期値）",
    "【内容】\n-LS 入力の入力接点を設定します。\n\n【設定範囲】\n・A接点 \n・B接点（初期値）",
};
}  // namespace

int IoRogicModel::columnWidth(int column) const { return column == 0 ? 80 : 100; }

bool IoRogicModel::isContactB(int row, int column) const {
    return (ConstControllerFlagWords(image_).sensorLogic(row - 1) & columnMask(column)) != 0;
}

std::string IoRogicModel::cellText(int row, int column) const {
    if (!inTable(row, column)) return {};
    if (row == 0) return kHeaders[column];
    if (column == 0) return "軸" + std::to_string(row);
    return isContactB(row, column) ? kContactB : kContactA;
}

CellKind IoRogicModel::cellKind(int row, int column) const {
    if (row == 0) return CellKind::Header;
    if (column == 0) return CellKind::Label;
    return CellKind::DropDown;
}

std::vector<std::string> IoRogicModel::choices(int row, int column) const {
    if (!isValueCell(row, column)) return {};
    return {kContactA, kContactB};
}

std::uint32_t IoRogicModel::backgroundColour(int row, int column) const {
    if (!isValueCell(row, column)) return SettingsTableModel::backgroundColour(row, column);
    return isContactB(row, column) ? cellColour::kYellow : cellColour::kCyan;
}

std::string IoRogicModel::helpText(int row, int column) const {
    (void)row;
    if (column < 1 || column >= kColumns) return {};
    return kHelp[column];
}

MaybeRefusal IoRogicModel::commit(int row, int column, const std::string& text) {
    if (!isValueCell(row, column)) return std::nullopt;
    const int axis = row - 1;
    const std::uint8_t current = ConstControllerFlagWords(image_).sensorLogic(axis);
    std::uint8_t updated = current;
    if (text == kContactA)
        updated = static_cast<std::uint8_t>(current & ~columnMask(column));
    else if (text == kContactB)
        updated = static_cast<std::uint8_t>(current | columnMask(column));
    else
        return std::nullopt;  // not one of the offered choices: nothing changes
    ImageEdit(image_, sink_).write(ControllerFlagWords::sensorLogicOffset(axis), 1, updated);
    return std::nullopt;
}

}  // namespace vantrel
