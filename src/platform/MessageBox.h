#pragma once
// Every message box of the program goes through here, so that tests can
// answer them instead of a player: a handler installed by a test receives the
// box in place of the screen.
#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace landora {

enum class MessageIcon { None, Information, Error };

struct MessageBoxRequest {
    QWidget *parent = nullptr;
    MessageIcon icon = MessageIcon::None;
    QString title;
    QString text;
};

using MessageBoxHandler = std::function<void(const MessageBoxRequest &)>;

// Shows a modal box with an OK button; the title is the application's name.
void ShowMessage(QWidget *parent, const QString &text, MessageIcon icon = MessageIcon::None);

// The standard error box for a failure the program goes on after: its own
// message (cp1252 bytes), or "Out of memory" when memory ran out.
void ShowFailure(QWidget *parent, const std::exception &failure);

// Replaces the on-screen boxes; returns the handler that was in place (empty
// for the screen). An empty handler puts the screen back.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace landora
