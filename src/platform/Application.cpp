#include "platform/Application.h"

#include "platform/MessageBox.h"

#include <cstdio>
#include <exception>

namespace landora {

CApplication::CApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool CApplication::notify(QObject *receiver, QEvent *event)
{
    return DeliverGuarded([&] { return QApplication::notify(receiver, event); });
}

bool DeliverGuarded(const std::function<bool()> &deliver)
{
    try {
        return deliver();
    } catch (const std::exception &failure) {
        try {
            ShowFailure(QApplication::activeWindow(), failure);
        } catch (...) {
            // Not even the box could be shown (memory is short): say it where
            // a terminal sees it and go on.
            std::fputs("Landora: an event failed and its message could not be shown\n", stderr);
        }
    } catch (...) {
        std::fputs("Landora: an event failed with an unknown failure\n", stderr);
    }
    return false;
}

} // namespace landora
