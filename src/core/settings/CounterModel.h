#pragma once

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "settings/SettingsTableModel.h"

namespace vantrel {

// Set values of counters 1..8; row k is counter k.
class CounterModel : public SettingsTableModel {
public:
    static constexpr int kRows = 9;
    static constexpr int kColumns = 2;
    static constexpr std::int32_t kMaximum = 1000000;

    CounterModel(SettingsImage& image, ControllerWriteSink* sink) : image_(image), sink_(sink) {}

    int rowCount() const override { return kRows; }
    int columnCount() const override { return kColumns; }
    int columnWidth(int column) const override { return column == 0 ? 110 : 130; }
    std::string cellText(int row, int column) const override;
    CellKind cellKind(int row, int column) const override;
    std::string helpText(int row, int column) const override;
    // 0 .. 1000000.
    std::optional<ValueRange> valueRange(int row, int column) const override {
        if (!isValueCell(row, column)) return std::nullopt;
        return ValueRange{0, kMaximum, 0, ""};
    }
    MaybeRefusal commit(int row, int column, const std::string& text) override;

    // Stored set value of a typed number: 0 .. 1,000,000, rounded to the nearest integer.
    static std::int32_t counterValue(double typed);

private:
    bool isValueCell(int row, int column) const { return row >= 1 && row < kRows && column == 1; }

    SettingsImage& image_;
    ControllerWriteSink* sink_;
};

}  // namespace vantrel
