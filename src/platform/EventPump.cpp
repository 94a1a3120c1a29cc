#include "platform/EventPump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace landora {

void CQtEventPump::ProcessEvents()
{
    // Without an application object there is no event loop to run.
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

void CQtEventPump::WaitForEvents()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace landora
