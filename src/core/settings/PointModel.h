#pragma once

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "settings/SettingsTableModel.h"

namespace vantrel {

// The pulse-train point table: points PT1001..PT2000, four rows per point (one
// per pulse axis), each with a position in the axis' unit and a speed in
// percent of the axis' maximum rotation speed.
class PointModel : public SettingsTableModel {
public:
    static constexpr int kRows = 1 + 4 * layout::kPointTableCount;  // 4,001
    static constexpr int kColumns = 4;
    enum Column { kPointColumn, kAxisColumn, kPositionColumn, kSpeedColumn };

    PointModel(SettingsImage& image, ControllerWriteSink* sink) : image_(image), sink_(sink) {}

    int rowCount() const override { return kRows; }
    int columnCount() const override { return kColumns; }
    int fixedColumnCount() const override { return 2; }
    int columnWidth(int column) const override;
    std::string cellText(int row, int column) const override;
    std::string editText(int row, int column) const override;
    CellKind cellKind(int row, int column) const override;
    std::string helpText(int row, int column) const override;
    // Positions in the axis' unit, speeds 1..100 %.
    std::optional<ValueRange> valueRange(int row, int column) const override;
    MaybeRefusal commit(int row, int column, const std::string& text) override;

    // Row r (1..4000): pulse axis 0..3 and position index 1000..1999.
    static int axisOfRow(int row) { return (row - 1) % 4; }
    static int indexOfRow(int row) { return layout::kPointTableFirstIndex + (row - 1) / 4; }

private:
    bool isPointRow(int row) const { return row >= 1 && row < kRows; }

    SettingsImage& image_;
    ControllerWriteSink* sink_;
};

}  // namespace vantrel
