#include "online/CIoTestDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "online/CPulseOutputTestDlg.h"
#include "online/CRivoOutputTestDlg.h"
#include "online/MonitorWindows.h"
#include "ui/GuiLanguage.h"

namespace vantrel {
namespace {

// A child window closed a moment ago is hidden and waits for its deletion.
template <class Window>
Window* showOrRaise(QPointer<Window>& window, const std::function<Window*()>& make) {
    if (window && window->isHidden()) window = nullptr;
    if (!window) window = make();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace

CIoTestDlg::CIoTestDlg(AppState& state, std::function<void(int)> relayDriver, QWidget* parent)
    : COutputTestWindow(state, ui::coreText(monitorWindow(MonitorWindow::IoTest).title), parent),
      relayDriver_(std::move(relayDriver)) {
    auto* pulse = new QPushButton(tr("パルス列軸出力"), this);
    auto* rivo = new QPushButton(tr("RIVO軸出力"), this);
    for (QPushButton* b : {pulse, rivo}) b->setAutoDefault(false);
    connect(pulse, &QPushButton::clicked, this, &CIoTestDlg::openPulseOutputTest);
    connect(rivo, &QPushButton::clicked, this, &CIoTestDlg::openRivoOutputTest);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pulse);
    buttons->addWidget(rivo);
    buttons->addWidget(makeModeReason(), 1);
    buttons->addWidget(makeCloseButton());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeToggleGroups(ioTestToggles(), 1, 8));
    layout->addLayout(buttons);
    startRefresh(kRefreshMs);
}

CPulseOutputTestDlg* CIoTestDlg::openPulseOutputTest() {
    return showOrRaise<CPulseOutputTestDlg>(pulseTest_, [this] { return new CPulseOutputTestDlg(state(), this); });
}

CRivoOutputTestDlg* CIoTestDlg::openRivoOutputTest() {
    return showOrRaise<CRivoOutputTestDlg>(rivoTest_, [this] { return new CRivoOutputTestDlg(state(), relayDriver_, this); });
}

}  // namespace vantrel
