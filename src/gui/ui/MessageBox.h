#pragma once

#include <functional>
#include <memory>

#include "data/Refusal.h"

class QMessageBox;
class QWidget;

namespace vantrel::ui {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// Every message and question of the program goes through this one function:
// a modal box with the message's text, title and icon. Questions
// (MessageButtons::YesNo) return Yes or No.
MessageAnswer showMessage(QWidget* parent, const Refusal& message, MessageButtons buttons = MessageButtons::Ok);

// The box showMessage shows, not yet shown (for pictures of it).
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const Refusal& message, MessageButtons buttons);

// A yes/no question; true for yes.
bool askYesNo(QWidget* parent, const Refusal& question);

// Replaces the modal box (tests install a recorder that answers and keeps the
// texts). An empty handler restores the real box.
using MessageHandler = std::function<MessageAnswer(QWidget* parent, const Refusal& message, MessageButtons buttons)>;
void setMessageHandler(MessageHandler handler);

}  // namespace vantrel::ui
