#include <QApplication>

#include "menu/Huvudmeny.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Landora"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    landora::TfrmHuvudmeny menu;
    QApplication::restoreOverrideCursor();
    menu.show();
    return QApplication::exec();
}
