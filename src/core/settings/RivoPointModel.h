#pragma once

#include <cstdint>
#include <string>

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "settings/SettingsTableModel.h"

namespace vantrel {

// The network point table: points 1..64 of the 16 network drivers, sixteen
// rows per point (one per driver), each with the operation mode, position,
// operating speed and acceleration / deceleration times. Points 65..100 of a
// driver are never shown or changed here.
class RivoPointModel : public SettingsTableModel {
public:
    static constexpr int kPointsShown = 64;
    static constexpr int kRows = 1 + layout::kNetworkDriverCount * kPointsShown;  // 1,025
    static constexpr int kColumns = 7;
    enum Column { kPointColumn, kAxisColumn, kModeColumn, kPositionColumn, kSpeedColumn, kAccelColumn, kDecelColumn };

    RivoPointModel(SettingsImage& image, ControllerWriteSink* sink) : image_(image), sink_(sink) {}

    int rowCount() const override { return kRows; }
    int columnCount() const override { return kColumns; }
    int fixedColumnCount() const override { return 2; }
    int columnWidth(int column) const override;
    std::string cellText(int row, int column) const override;
    std::string editText(int row, int column) const override;
    CellKind cellKind(int row, int column) const override;
    std::vector<std::string> choices(int row, int column) const override;
    std::string helpText(int row, int column) const override;
    // Positions, speeds (steps and Hz, or mm and mm/s) and times of a connected driver.
    std::optional<ValueRange> valueRange(int row, int column) const override;
    // The rows of a driver without a connected model say so.
    std::string lockNote(int row, int column) const override;
    MaybeRefusal commit(int row, int column, const std::string& text) override;

    // Row r (1..1024): driver 0..15 and point 0..63.
    static int driverOfRow(int row) { return (row - 1) % layout::kNetworkDriverCount; }
    static int pointOfRow(int row) { return (row - 1) / layout::kNetworkDriverCount; }

    // Conversions of a driver that shows millimetres through its two ratio
    // words (stored steps x first / second = hundredths of a mm). They never
    // divide by a 0 ratio word: a pair with a 0 word counts as 1:1.
    static std::int32_t hundredthsOfSteps(std::int32_t steps, std::uint16_t first, std::uint16_t second);
    static std::int32_t stepsOfMillimetres(double millimetres, std::uint16_t first, std::uint16_t second);
    static std::int32_t hertzOfMillimetresPerSecond(double speed, std::uint16_t first, std::uint16_t second);
    // Stored milliseconds of a typed number of seconds (0.001 .. 1000 s).
    static std::int32_t millisecondsOfSeconds(double seconds);

private:
    bool isPointRow(int row) const { return row >= 1 && row < kRows; }
    bool isConnected(int driver) const;
    // True when positions and speeds are shown in mm through usable ratio words.
    bool showsMillimetres(int driver) const;
    std::string valueText(int row, int column, bool withUnit) const;

    SettingsImage& image_;
    ControllerWriteSink* sink_;
};

}  // namespace vantrel
