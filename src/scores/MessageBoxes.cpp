#include "scores/MessageBoxes.h"

#include <QMessageBox>

namespace landora::MessageBoxes {
namespace {

Answerer &Installed()
{
    static Answerer answerer;
    return answerer;
}

} // namespace

void Information(QWidget *parent, const QString &text)
{
    if (Installed()) {
        Installed()(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Landora"), text, QMessageBox::Ok, parent);
    box.exec();
}

Answerer SetAnswerer(Answerer answerer)
{
    Answerer previous = std::move(Installed());
    Installed() = std::move(answerer);
    return previous;
}

} // namespace landora::MessageBoxes
