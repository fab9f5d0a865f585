#pragma once

#include <array>
#include <functional>

#include "online/COutputTestWindow.h"

class QRadioButton;

namespace vantrel {

// The network axis output test: a choice of four drivers (1-4 .. 13-16) and
// the sixteen NET-IN bits of each of them as toggles, refreshed every 500 ms.
// Choosing a group makes the status poll send and report those drivers, and
// tells `relayDriver` the group's first driver. Enter and Space do nothing
// here; Escape closes.
class CRivoOutputTestDlg : public COutputTestWindow {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 500;

    CRivoOutputTestDlg(AppState& state, std::function<void(int driver)> relayDriver, QWidget* parent = nullptr);

    // As a click on the group's choice.
    void chooseGroup(int group);
    int group() const { return group_; }

private:
    std::function<void(int)> relayDriver_;
    std::array<QRadioButton*, 4> choices_{};
    int group_ = 0;
};

}  // namespace vantrel
