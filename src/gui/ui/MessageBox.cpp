#include "ui/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QString>
#include <QTimer>
#include <QWindow>

#include "ui/GuiLanguage.h"

namespace vantrel::ui {

namespace {

MessageHandler& handler() {
    static MessageHandler current;
    return current;
}

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// A box is as wide as its text, and a window manager draws the title beside
// its icon and buttons: a short text under a title such as "VANTREL" would
// show the title cut ("VA… EL"). An invisible row keeps the box wide enough
// for the whole title.
void widenForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    const int width = metrics.horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const Refusal& message, MessageButtons buttons) {
    auto box = std::make_unique<QMessageBox>(iconOf(message.icon), coreText(message.title), coreText(message.text),
                                             QMessageBox::NoButton, parent);
    switch (buttons) {
    case MessageButtons::Ok: box->setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::YesNo: box->setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::YesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    widenForTitle(*box);
    return box;
}

namespace {

MessageAnswer showBox(QWidget* parent, const Refusal& message, MessageButtons buttons) {
    const std::unique_ptr<QMessageBox> box = makeMessageBox(parent, message, buttons);
    switch (box->exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

}  // namespace

MessageAnswer showMessage(QWidget* parent, const Refusal& message, MessageButtons buttons) {
    if (handler()) return handler()(parent, message, buttons);
    return showBox(parent, message, buttons);
}

void waitUntilExposed(QWidget* parent) {
    constexpr int kPatienceMs = 1000;
    constexpr int kLookMs = 10;
    QWidget* window = parent ? parent->window() : nullptr;
    if (!window || !window->isVisible()) return;
    const auto exposed = [window] { return window->windowHandle() && window->windowHandle()->isExposed(); };
    if (exposed()) return;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (exposed() || clock.elapsed() > kPatienceMs) loop.quit();
    });
    look.start(kLookMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool askYesNo(QWidget* parent, const Refusal& question) {
    return showMessage(parent, question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

void setMessageHandler(MessageHandler newHandler) { handler() = std::move(newHandler); }

}  // namespace vantrel::ui
