#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <new>

#include "data/Cp1252.h"

namespace landora {

namespace {

MessageBoxHandler &Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

void ShowOnScreen(const MessageBoxRequest &request)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    if (request.icon == MessageIcon::Information)
        icon = QMessageBox::Information;
    else if (request.icon == MessageIcon::Error)
        icon = QMessageBox::Critical;
    QMessageBox box(icon, request.title, request.text, QMessageBox::Ok, request.parent);
    box.exec();
}

} // namespace

void ShowMessage(QWidget *parent, const QString &text, MessageIcon icon)
{
    MessageBoxRequest request{parent, icon, QApplication::applicationName(), text};
    if (request.title.isEmpty())
        request.title = QStringLiteral("Landora");
    if (Handler())
        Handler()(request);
    else
        ShowOnScreen(request);
}

void ShowFailure(QWidget *parent, const std::exception &failure)
{
    const QString text = dynamic_cast<const std::bad_alloc *>(&failure) != nullptr
        ? QStringLiteral("Out of memory")
        : FromCp1252(failure.what());
    ShowMessage(parent, text, MessageIcon::Error);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

} // namespace landora
