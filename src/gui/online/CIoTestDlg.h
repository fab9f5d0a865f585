#pragma once

#include <functional>

#include <QPointer>

#include "online/COutputTestWindow.h"
#include "online/CPulseOutputTestDlg.h"
#include "online/CRivoOutputTestDlg.h"

namespace vantrel {

// The I/O test: toggles of the general outputs OUT1..OUT16 and the host
// outputs, and the two axis output tests it opens and owns, each at most once.
// Refreshed every 300 ms. `relayDriver` receives the first network driver of a
// group chosen in the network axis output test (for the monitor menu).
class CIoTestDlg : public COutputTestWindow {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 300;

    CIoTestDlg(AppState& state, std::function<void(int driver)> relayDriver, QWidget* parent = nullptr);

    // "パルス列軸出力" and "RIVO軸出力": open the window, or bring the open one to the front.
    CPulseOutputTestDlg* openPulseOutputTest();
    CRivoOutputTestDlg* openRivoOutputTest();
    CPulseOutputTestDlg* pulseOutputTest() const { return pulseTest_; }
    CRivoOutputTestDlg* rivoOutputTest() const { return rivoTest_; }

private:
    std::function<void(int)> relayDriver_;
    QPointer<CPulseOutputTestDlg> pulseTest_;
    QPointer<CRivoOutputTestDlg> rivoTest_;
};

}  // namespace vantrel
