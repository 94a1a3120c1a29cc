#include "platform/EventPump.h"

#include <QCoreApplication>

namespace landora {

void CQtEventPump::ProcessEvents()
{
    // Without an application object there is no event loop to run.
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

} // namespace landora
