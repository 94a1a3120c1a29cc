#pragma once
// The information boxes of the score windows. They go through here so that a
// test can answer them in advance: with an answerer installed, no modal box is
// shown and nothing waits for a click.
#include <QString>
#include <functional>

class QWidget;

namespace landora::MessageBoxes {

using Answerer = std::function<void(QWidget *parent, const QString &text)>;

// An information box with an OK button, modal to `parent`.
void Information(QWidget *parent, const QString &text);

// Installs an answerer in place of the real boxes; an empty one restores them.
// Gives back the one installed before.
Answerer SetAnswerer(Answerer answerer);

} // namespace landora::MessageBoxes
