#pragma once

// The moves with positions, one form in four kinds chosen by the code:
//  - axis move "軸移動" (28 wait, 29 no wait): per axis a position and a speed,
//    kept in one automatically assigned point;
//  - point move "軸移動(ポイント指定)" (0, 1): the same fields for a point of the
//    point table (1001..2000) chosen in a drop-down; OK writes them into it;
//  - linear interpolation "直線補間" / "直線補間C" (7, 33): per axis a position,
//    one interpolation speed, one automatic point;
//  - arc interpolation "円弧補間" / "円弧補間C" (8, 34): via point and end point
//    per axis, one speed, exactly two axes, two automatic points.
// All have "絶対" / "相対". A new step takes the next free automatic point(s)
// and shows their current positions; an existing step shows its points.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "commands/ChoiceList.h"
#include "commands/PulseAxisEditor.h"

namespace vantrel {

class StepEditor;

// The (k+1)-th free automatic point index (300..999), or -1 when none is free:
// StepEditor::allocateAutoPoint.
using AutoPointAllocator = std::function<int(int k)>;
AutoPointAllocator autoPointsOf(const StepEditor& steps);

class MoveEditor : public PulseAxisEditor {
public:
    static bool handles(int code);
    // `code` must be one of handles(); `autoPoints` is asked only for a new step.
    MoveEditor(std::uint8_t code, const CommandEditRecord& record, bool editExisting, const SettingsImage& image,
               const AutoPointAllocator& autoPoints);

    std::string title() const override;
    // Axes ("軸を選択してください"; an arc "2軸を選択してください" unless two), then
    // the positions of the checked axes, row by row, then the speed(s).
    EditorResult accept() override;

    // Position rows: one ("位置"), or via point and end point for an arc.
    int positionRows() const { return kind_ == Kind::Arc ? 2 : 1; }
    std::string positionRowLabel(int row) const;
    const std::string& positionText(int row, int axis) const;
    void setPositionText(int row, int axis, std::string text);

    // Speed fields: one per axis ("速度") for axis and point moves, else a
    // single "補間速度" (field 0).
    int speedFields() const { return speeds_.size() == 1 ? 1 : kPulseAxisCount; }
    std::string speedLabel() const;
    const std::string& speedText(int field) const;
    void setSpeedText(int field, std::string text);

    bool incremental() const { return incremental_; }
    void setIncremental(bool incremental) { incremental_ = incremental; }

    // Point move only: "ポイントNo.：" with "1001" .. "2000". Choosing shows the
    // point's positions and speeds.
    bool hasPointChoice() const { return kind_ == Kind::PointMove; }
    const ChoiceList& pointChoices() const { return points_; }
    void choosePoint(int index);

    // The points OK stores into (point2 only for an arc); 0 when no automatic
    // point was free, which the store refuses.
    int point1() const;
    int point2() const { return point2_; }
    // OK writes into a point of the point table, whose view must then refresh.
    bool writesPointTable() const { return kind_ == Kind::PointMove; }

private:
    enum class Kind { AxisMove, PointMove, Linear, Arc };
    static Kind kindOf(int code);
    void showPoints();

    Kind kind_;
    std::array<std::array<std::string, kPulseAxisCount>, 2> positions_;
    std::vector<std::string> speeds_;
    bool incremental_ = false;
    ChoiceList points_;
    int point1_ = 0;
    int point2_ = 0;
};

}  // namespace vantrel
