#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

class QGridLayout;
class QLabel;
class QWidget;

namespace vantrel {

class CLamp;
class CLampGroup;
struct StatusSnapshot;

// A value field of the monitors: white, sunken, right-aligned, "0" until the
// first refresh.
QLabel* newValueField(QWidget* parent, int minWidth);
// Sets a field's or label's text only when it changed, so a refresh that
// finds nothing new repaints nothing.
void showText(QLabel* label, const std::string& text);

// The rows "指令位置", "検出位置", "指令速度", "検出速度" with their value
// fields and units, and "アラーム" with its field, as the status monitor and
// the network monitor show them for an axis or a driver.
struct ValueRows {
    QGridLayout* grid = nullptr;
    std::array<QLabel*, 4> values{};
    std::array<QLabel*, 4> units{};
    QLabel* alarm = nullptr;
};
ValueRows newValueRows(QWidget* parent, int fieldWidth, int unitWidth);

// A window's panels (a monitor's axes or drivers) side by side (shape 0) or in
// two rows (shape 1). The window's placer takes the shape that keeps the most
// of the main window and the step table clear when the window opens.
struct PanelRows {
    QGridLayout* grid = nullptr;
    std::function<void(int shape)> arrange;
};
PanelRows newPanelRows(const std::vector<QWidget*>& panels);

// Gives every lamp the width of the widest, so lamp grids line up.
void equaliseWidths(const std::vector<CLamp*>& lamps);
void equaliseWidths(const std::vector<CLampGroup*>& groups);
// Refreshes every group from one status copy; the number of lamps repainted.
int refreshAll(const std::vector<CLampGroup*>& groups, const StatusSnapshot& snapshot);

}  // namespace vantrel
