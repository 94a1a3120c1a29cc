#pragma once
// The base of the exercise windows: the exercise object talks back to the
// window that plays it through VisaFraga and VisaProcent.
#include <QWidget>

#include "exercises/Ovningsformular.h"

namespace landora {

class TOvningsformular : public QWidget, public IOvningsformular {
    Q_OBJECT

public:
    explicit TOvningsformular(QWidget *owner) : QWidget(owner, Qt::Window) {}
};

} // namespace landora
