#pragma once

#include <array>
#include <cstdint>

#include <QElapsedTimer>

#include "online/AxisStatusText.h"
#include "online/COnlineWindow.h"
#include "online/StatusSnapshot.h"

class QLabel;
class QPushButton;

namespace vantrel {

class CLampGroup;
class CTrendPanel;

// The pulse-train status monitor: per axis the command and detected position
// and speed in the axis' unit, the alarm text and the driver input, driver
// output and sensor lamps, an alarm-reset button per axis, "RESET" of the
// zero references, the speed buttons and a trend plot below the axes. The
// four axis panels stand in one row, or in two where one row would not fit
// beside the step table or on the screen. It refreshes every 40 ms from the
// shared status variables.
class CStatusMonitorDlg : public COnlineWindow {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 40;

    explicit CStatusMonitorDlg(AppState& state, QWidget* parent = nullptr);

    void refresh() override;
    // Lamps repainted by the last refresh.
    int lastRepaints() const { return lastRepaints_; }

    // The controls, as the user presses them.
    void pressAlarmReset(int axis);
    void pressReset();
    void pressSpeedDown() { stepSpeed(false); }
    void pressSpeedUp() { stepSpeed(true); }
    void setTrendShown(bool shown);

    QString valueText(int axis, int row) const;  // row 0..3: command/detected position, command/detected speed
    QString alarmText(int axis) const;
    QString speedText() const;
    CLampGroup& inputLamps(int axis) const { return *axes_[static_cast<std::size_t>(axis)].inputs; }
    CLampGroup& outputLamps(int axis) const { return *axes_[static_cast<std::size_t>(axis)].outputs; }
    CLampGroup& sensorLamps(int axis) const { return *axes_[static_cast<std::size_t>(axis)].sensors; }
    CTrendPanel& trend() const { return *trend_; }

protected:
    // The trend is closed first: the window opens without it, and its size
    // is kept without it.
    void closeEvent(QCloseEvent* event) override;

private:
    struct AxisWidgets {
        std::array<QLabel*, 4> values{};
        std::array<QLabel*, 4> units{};
        QLabel* alarm = nullptr;
        CLampGroup* inputs = nullptr;
        CLampGroup* outputs = nullptr;
        CLampGroup* sensors = nullptr;
    };
    QWidget* makeAxisGroup(int axis);
    void stepSpeed(bool up);
    void showSpeedLevel(std::uint8_t level);
    int refreshLamps(const StatusSnapshot& snapshot);

    std::array<AxisWidgets, 4> axes_{};
    std::array<ZeroReference, 4> zero_{};
    QLabel* speed_ = nullptr;
    QPushButton* trendButton_ = nullptr;
    CTrendPanel* trend_ = nullptr;
    QElapsedTimer clock_;
    std::uint8_t shownLevel_ = 0;
    std::uint8_t imageLevel_ = 0;
    int lastRepaints_ = 0;
};

}  // namespace vantrel
