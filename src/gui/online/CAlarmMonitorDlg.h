#pragma once

#include <array>
#include <cstdint>

#include "online/COnlineWindow.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vantrel {

// The alarm monitor: the controller's current alarm as code and message and
// "アラームリセット", refreshed every 500 ms. It also keeps a ten-entry alarm
// history read from the controller: the read is asked for on open (when the
// port is open), and the list is rebuilt whenever the history changes. As in
// the controller's own window layout, the history group stays hidden.
class CAlarmMonitorDlg : public COnlineWindow {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 500;

    explicit CAlarmMonitorDlg(AppState& state, QWidget* parent = nullptr);

    void refresh() override;
    // "アラームリセット": the next status poll carries one alarm reset.
    void pressAlarmReset();
    // "履歴取得": ask for the alarm record again.
    void requestHistory();

    QString currentAlarmText() const;
    QTreeWidget& historyList() const { return *history_; }
    QGroupBox& historyGroup() const { return *historyGroup_; }
    bool historyRequestPending() const { return historyWanted_; }

private:
    void tryHistoryRequest();
    void showHistory(const std::array<std::uint8_t, 10>& codes);

    QLineEdit* current_ = nullptr;
    QGroupBox* historyGroup_ = nullptr;
    QTreeWidget* history_ = nullptr;
    std::array<std::uint8_t, 10> shownHistory_{};
    bool historyWanted_ = false;
};

}  // namespace vantrel
