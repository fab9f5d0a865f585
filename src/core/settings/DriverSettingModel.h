#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "settings/SettingsTableModel.h"

namespace vantrel {

// Pulse-train axis settings: rows 1..17 are the items of a PulseAxisRecord,
// columns 1..4 the pulse axes 1..4. Every accepted edit stores the field and
// queues its pulse-axis parameter write.
class DriverSettingModel : public SettingsTableModel {
public:
    static constexpr int kRows = 18;
    static constexpr int kColumns = 5;

    enum Row {
        kModelRow = 1,
        kPositionUnitRow,
        kSpeedUnitRow,
        kTravelRow,
        kMinTravelRow,
        kResolutionRow,
        kStartSpeedRow,
        kMaxRotationSpeedRow,
        kAccelTypeRow,
        kMaxAccelTimeRow,
        kMinAccelTimeRow,
        kHomeMethodRow,
        kHomeDirectionRow,
        kHomeSpeedRow,
        kHomeAccelTimeRow,
        kHomeStartSpeedRow,
        kHomeOffsetRow,
    };

    // Outcome of the resolution rule of an mm axis.
    enum class ResolutionState {
        Unchanged,   // travel or minimum travel is 0: nothing computed
        Exact,       // travel / minimum travel is an integer within 100..10000
        NotInteger,  // within range but travel is no multiple of the minimum travel (yellow)
        OutOfRange,  // below 100 or above 10000, limited to the range (red)
    };

    DriverSettingModel(SettingsImage& image, ControllerWriteSink* sink) : image_(image), sink_(sink) {}

    int rowCount() const override { return kRows; }
    int columnCount() const override { return kColumns; }
    int columnWidth(int column) const override { return column == 0 ? 200 : 110; }
    std::string cellText(int row, int column) const override;
    // Travel and minimum travel are edited as the number alone ("10.00").
    std::string editText(int row, int column) const override;
    CellKind cellKind(int row, int column) const override;
    std::vector<std::string> choices(int row, int column) const override;
    std::uint32_t backgroundColour(int row, int column) const override;
    std::string helpText(int row, int column) const override;
    // The text rows: integer rows, two-decimal rows (the longest and the
    // shortest acceleration time each bounded by the other).
    std::optional<ValueRange> valueRange(int row, int column) const override;
    // Every cell of an axis without a connected model says so.
    std::string lockNote(int row, int column) const override;
    MaybeRefusal commit(int row, int column, const std::string& text) override;
    // Runs the resolution rule for every connected mm axis (stores and sends it).
    void opened() override;

    // Resolution of an mm axis (axis 0..3) from travel per revolution and
    // minimum travel; stores and sends it unless travel or minimum travel is 0.
    ResolutionState recomputeResolution(int axis);
    // What the resolution rule gives for the stored travel and minimum travel,
    // without storing anything.
    ResolutionState resolutionState(int axis) const;
    // Derives entries 1..24 of the acceleration time table of an axis from
    // entries 0 and 25 and sends entries 1..24, then 25, then 0.
    void recomputeAccelTable(int axis);

    // Connected model of a code (1 QM, 2 QS, 3 VT3, 5 LD, anything else none) and back.
    static std::string modelText(std::uint8_t code);
    static std::uint8_t modelCode(const std::string& text);

private:
    enum class AxisKind { NotConnected, Millimetre, Degree, Step };
    AxisKind axisKind(int axis) const;
    bool isValueCell(int row, int column) const { return row >= 1 && row < kRows && column >= 1 && column < kColumns; }

    MaybeRefusal commitChoice(int row, int axis, const std::string& text);
    MaybeRefusal commitNumber(int row, int axis, const std::string& text);
    void switchPositionUnit(int axis, std::uint8_t unit);
    // Stores and sends the whole table for the given ends: entries 1..24, then 25, then 0.
    void writeAccelTable(int axis, std::uint32_t minimum, std::uint32_t maximum);

    SettingsImage& image_;
    ControllerWriteSink* sink_;
};

}  // namespace vantrel
