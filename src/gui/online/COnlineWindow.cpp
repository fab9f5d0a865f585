#include "online/COnlineWindow.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

namespace vantrel {

COnlineWindow::COnlineWindow(AppState& state, const QString& title, QWidget* parent) : QDialog(parent), state_(state) {
    setWindowTitle(title);
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
    auto* button = new QPushButton(QStringLiteral("閉じる"), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &QWidget::close);
    return button;
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
