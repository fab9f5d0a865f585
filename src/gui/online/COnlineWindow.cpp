#include "online/COnlineWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/AppState.h"
#include "ui/CWindowPlacer.h"
#include "ui/GuiLanguage.h"

namespace vantrel {

COnlineWindow::COnlineWindow(AppState& state, const QString& title, QWidget* parent)
    : QDialog(parent, CWindowPlacer::frameFlags(Qt::Dialog)), state_(state) {
    setWindowTitle(title);
    placer_ = new CWindowPlacer(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] { refresh(); });
}

void COnlineWindow::startRefresh(int intervalMs) {
    refresh();
    timer_->start(intervalMs);
}

int COnlineWindow::refreshInterval() const { return timer_->interval(); }

QPushButton* COnlineWindow::makeCloseButton() {
    auto* button = new QPushButton(tr("閉じる"), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &QWidget::close);
    return button;
}

QLabel* COnlineWindow::makeModeReason() {
    modeReason_ = new QLabel(this);
    modeReason_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    // Its two lines stay reserved, so that the window does not change size with the mode.
    modeReason_->setText(ui::coreText(monitorWindow(MonitorWindow::TestRun).refusal));
    QSizePolicy policy = modeReason_->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    modeReason_->setSizePolicy(policy);
    modeReason_->hide();
    return modeReason_;
}

bool COnlineWindow::followMode(MonitorWindow which) {
    const MaybeRefusal blocked = checkMonitorWindowOpen(which, state_.status.modeWord.load(std::memory_order_relaxed));
    if (modeReason_) {
        const QString reason = blocked ? ui::coreText(blocked->text) : QString();
        if (blocked && modeReason_->text() != reason) modeReason_->setText(reason);
        modeReason_->setVisible(blocked.has_value());
    }
    return !blocked;
}

void COnlineWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: event->accept(); return;
    case Qt::Key_Escape: close(); return;
    default: QDialog::keyPressEvent(event);
    }
}

}  // namespace vantrel
