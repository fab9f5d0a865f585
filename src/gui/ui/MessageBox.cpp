#include "ui/MessageBox.h"

#include <QMessageBox>
#include <QString>

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

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const Refusal& message, MessageButtons buttons) {
    auto box = std::make_unique<QMessageBox>(iconOf(message.icon), QString::fromStdString(message.title),
                                             QString::fromStdString(message.text), QMessageBox::NoButton, parent);
    switch (buttons) {
    case MessageButtons::Ok: box->setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::YesNo: box->setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::YesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
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

bool askYesNo(QWidget* parent, const Refusal& question) {
    return showMessage(parent, question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

void setMessageHandler(MessageHandler newHandler) { handler() = std::move(newHandler); }

}  // namespace vantrel::ui
