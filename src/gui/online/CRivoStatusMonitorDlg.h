#pragma once

#include <array>

#include "online/COnlineWindow.h"

class QGroupBox;
class QLabel;
class QRadioButton;

namespace vantrel {

class CLamp;

// The network monitor ("RIVOステータスモニタ"): for the four drivers of the
// chosen group their command and detected positions and speeds in each
// driver's unit, the alarm code, sixteen NET-IN and sixteen NET-OUT lamps and
// an alarm reset per driver, refreshed every 50 ms. The four driver panels
// stand in one row, or in two where one row would not fit.
//
// The group is the polled network group of the status poll, which the
// test-operation window and the network axis output test set too: the monitor
// always shows the group the poll reports, and follows a driver chosen in one
// of those windows (followDriver, from the monitor menu).
class CRivoStatusMonitorDlg : public COnlineWindow {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 50;

    explicit CRivoStatusMonitorDlg(AppState& state, QWidget* parent = nullptr);

    void refresh() override;
    // The radio buttons "RIVO 1-4" .. "RIVO 13-16".
    void chooseGroup(int group);
    // Another window chose network driver 0..15: show its group.
    void followDriver(int driver);
    void pressAlarmReset(int slot);

    int group() const { return group_; }
    QRadioButton* groupChoice(int group) const { return choices_[static_cast<std::size_t>(group)]; }
    QString blockTitle(int slot) const;
    QString valueText(int slot, int row) const;  // row 0..3: command/detected position, command/detected speed
    QString unitText(int slot, int row) const;
    QString alarmText(int slot) const;
    CLamp* netInLamp(int slot, int bit) const { return blocks_[static_cast<std::size_t>(slot)].netIn[static_cast<std::size_t>(bit)]; }
    CLamp* netOutLamp(int slot, int bit) const { return blocks_[static_cast<std::size_t>(slot)].netOut[static_cast<std::size_t>(bit)]; }
    // Lamps repainted by the last refresh.
    int lastRepaints() const { return lastRepaints_; }

private:
    struct Block {
        QGroupBox* box = nullptr;
        std::array<QLabel*, 4> values{};
        std::array<QLabel*, 4> units{};
        QLabel* alarm = nullptr;
        std::array<CLamp*, 16> netIn{};
        std::array<CLamp*, 16> netOut{};
    };
    QGroupBox* makeBlock(int slot);
    void showGroup(int group);

    std::array<QRadioButton*, 4> choices_{};
    std::array<Block, 4> blocks_{};
    int group_ = 0;
    int lastRepaints_ = 0;
};

}  // namespace vantrel
