#pragma once

#include <vector>

#include "online/COnlineWindow.h"

namespace vantrel {

class CLampGroup;

// The I/O monitor: lamps of the general and host inputs and outputs,
// refreshed every 10 ms (faster than the status poll, so every poll shows at
// once); only lamps whose bit changed are repainted. It sends nothing.
class CIoMonitorDlg : public COnlineWindow {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 10;

    explicit CIoMonitorDlg(AppState& state, QWidget* parent = nullptr);

    void refresh() override;
    int lastRepaints() const { return lastRepaints_; }
    const std::vector<CLampGroup*>& groups() const { return groups_; }

private:
    std::vector<CLampGroup*> groups_;
    int lastRepaints_ = 0;
};

}  // namespace vantrel
