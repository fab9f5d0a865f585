#include "online/CMonitorMenuDlg.h"

#include <QGridLayout>
#include <QPushButton>

#include "app/AppState.h"
#include "online/COnlineWindow.h"
#include "ui/CWindowPlacer.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"

namespace vantrel {

CMonitorMenuDlg::CMonitorMenuDlg(AppState& state, QWidget* parent)
    : QDialog(parent, CWindowPlacer::frameFlags(Qt::Dialog)), state_(state) {
    setWindowTitle(tr("モニタメニュー"));
    setModal(false);
    new CWindowPlacer(this);
    // Monitors on the left, the test windows (edit-test mode only) on the right.
    auto* grid = new QGridLayout(this);
    int monitors = 0;
    int tests = 0;
    for (const MonitorWindowEntry& entry : monitorWindows()) {
        auto* button = new QPushButton(ui::coreText(entry.buttonText), this);
        button->setAutoDefault(false);
        button->setMinimumSize(150, 52);
        button->setEnabled(false);
        const MonitorWindow which = entry.window;
        connect(button, &QPushButton::clicked, this, [this, which] { openWindow(which); });
        if (entry.needsEditTest)
            grid->addWidget(button, tests++, 1);
        else
            grid->addWidget(button, monitors++, 0);
        buttons_[slot(which)] = button;
    }
    setFixedSize(sizeHint());
}

void CMonitorMenuDlg::registerWindow(MonitorWindow which, MonitorWindowFactory factory) {
    factories_[slot(which)] = std::move(factory);
    buttons_[slot(which)]->setEnabled(static_cast<bool>(factories_[slot(which)]));
}

QWidget* CMonitorMenuDlg::openWindow(MonitorWindow which) {
    const MonitorWindowFactory& factory = factories_[slot(which)];
    if (!factory) return nullptr;
    if (const auto refusal = checkMonitorWindowOpen(which, state_.status.modeWord.load(std::memory_order_relaxed))) {
        ui::showMessage(this, *refusal);
        return nullptr;
    }
    QPointer<QWidget>& open = windows_[slot(which)];
    // A window closed a moment ago is hidden and waits for its deletion.
    if (open && open->isHidden()) open = nullptr;
    if (!open) {
        open = factory(*this);
        if (!open) return nullptr;
        open->setAttribute(Qt::WA_DeleteOnClose);
    }
    CWindowPlacer::showInFront(open);
    open->activateWindow();
    return open;
}

QWidget* CMonitorMenuDlg::window(MonitorWindow which) const { return windows_[slot(which)]; }

QPushButton* CMonitorMenuDlg::button(MonitorWindow which) const { return buttons_[slot(which)]; }

void CMonitorMenuDlg::relayNetworkDriver(int driver) {
    if (driver < 0 || driver > 15) return;
    emit networkDriverSelected(driver);
}

}  // namespace vantrel
