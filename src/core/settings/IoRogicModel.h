#pragma once

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "settings/SettingsTableModel.h"

namespace vantrel {

// Sensor input logic: the contact type (A or B) of the HOMES, +LS and -LS
// inputs of each pulse axis. Rows 1..4 are axes 1..4, columns 1..3 HOMES, +LS,
// -LS; a set bit in the axis' logic byte means contact B.
class IoRogicModel : public SettingsTableModel {
public:
    static constexpr int kRows = 5;
    static constexpr int kColumns = 4;

    IoRogicModel(SettingsImage& image, ControllerWriteSink* sink) : image_(image), sink_(sink) {}

    int rowCount() const override { return kRows; }
    int columnCount() const override { return kColumns; }
    int columnWidth(int column) const override;
    std::string cellText(int row, int column) const override;
    CellKind cellKind(int row, int column) const override;
    std::vector<std::string> choices(int row, int column) const override;
    std::uint32_t backgroundColour(int row, int column) const override;
    std::string helpText(int row, int column) const override;
    MaybeRefusal commit(int row, int column, const std::string& text) override;

    // Bit of column 1 (HOMES), 2 (+LS) or 3 (-LS) in an axis' logic byte.
    static std::uint8_t columnMask(int column) { return static_cast<std::uint8_t>(1u << (4 - column)); }

private:
    bool isValueCell(int row, int column) const { return row >= 1 && row < kRows && column >= 1 && column < kColumns; }
    bool isContactB(int row, int column) const;

    SettingsImage& image_;
    ControllerWriteSink* sink_;
};

}  // namespace vantrel
