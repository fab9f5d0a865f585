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

// Room a title bar takes beside its title (window icon, minimise, maximise
// and close buttons, margins); a box is at least this much wider than its title.
inline constexpr int kTitleBarRoom = 150;

// The box showMessage shows, not yet shown (for pictures of it).
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const Refusal& message, MessageButtons buttons);

// A box is centred on its parent window, which a window manager places only
// a moment after the window is shown: a question asked as the program starts
// waits (a second at most) until the parent is on the screen. Meanwhile no
// user input is taken, so nothing can be done before the question.
void waitUntilExposed(QWidget* parent);

// A yes/no question; true for yes.
bool askYesNo(QWidget* parent, const Refusal& question);

// Replaces the modal box (tests install a recorder that answers and keeps the
// texts). An empty handler restores the real box.
using MessageHandler = std::function<MessageAnswer(QWidget* parent, const Refusal& message, MessageButtons buttons)>;
void setMessageHandler(MessageHandler handler);

}  // namespace vantrel::ui
