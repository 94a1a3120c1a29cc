#pragma once
// The program's application object: the last guard of every event handler.
#include <QApplication>
#include <functional>

namespace landora {

// A failure that escapes an event handler would leave the event loop and end
// the program on the spot. Here it is shown in the error box instead (out of
// memory included) and the event counts as not handled: the program goes on.
class CApplication : public QApplication {
public:
    CApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// The guard itself: runs `deliver` and gives its result; a failure it lets
// out is shown in the error box and gives false.
bool DeliverGuarded(const std::function<bool()> &deliver);

} // namespace landora
