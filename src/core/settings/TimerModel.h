#pragma once

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "settings/SettingsTableModel.h"

namespace vantrel {

// Timers T1..T100 used by the program's wait command, in hundredths of a
// second; row k is timer Tk.
class TimerModel : public SettingsTableModel {
public:
    static constexpr int kRows = 101;
    static constexpr int kColumns = 2;

    TimerModel(SettingsImage& image, ControllerWriteSink* sink) : image_(image), sink_(sink) {}

    int rowCount() const override { return kRows; }
    int columnCount() const override { return kColumns; }
    int columnWidth(int column) const override { return column == 0 ? 110 : 130; }
    std::string cellText(int row, int column) const override;
    CellKind cellKind(int row, int column) const override;
    std::string helpText(int row, int column) const override;
    // 0.00 .. 99.99 s.
    std::optional<ValueRange> valueRange(int row, int column) const override {
        if (!isValueCell(row, column)) return std::nullopt;
        return ValueRange{0, 9999, 2, "s"};
    }
    MaybeRefusal commit(int row, int column, const std::string& text) override;

    // Stored hundredths of typed seconds, given in hundredths: below 0.01 s is
    // 0, from 99.99 s up is 9999, otherwise rounded to the nearest hundredth,
    // halves away from zero.
    static std::uint16_t timerValue(double hundredths);

private:
    bool isValueCell(int row, int column) const { return row >= 1 && row < kRows && column == 1; }

    SettingsImage& image_;
    ControllerWriteSink* sink_;
};

}  // namespace vantrel
