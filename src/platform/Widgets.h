#pragma once
// Small helpers every window shares: our colours as Qt's, the Arial face at a
// pixel size, controls and timers named for the tests, and the hourglass.
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "data/Colour.h"

namespace landora {

inline QColor ToQColor(Colour c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// Arial at a character height in pixels, so that a caption measures the same
// on every screen.
QFont ArialPixels(int pixels, bool bold = false);
// The widget's background colour; `fill` says whether it paints it itself.
void SetBackground(QWidget *widget, const QColor &colour, bool fill = true);
void SetTextColour(QWidget *widget, const QColor &colour);

// A control carrying its name as objectName, so that tests find it.
template <typename T>
T *Make(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

template <typename T>
T *Make(QWidget *parent, const char *name, const QRect &geometry)
{
    T *w = Make<T>(parent, name);
    w->setGeometry(geometry);
    return w;
}

// A stopped timer with its name and interval.
QTimer *MakeTimer(QObject *parent, const char *name, int interval);

// The hourglass for as long as the scope lasts.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace landora
