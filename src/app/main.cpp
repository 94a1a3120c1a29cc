#include <QApplication>

#include <iostream>

#include "app/CommandLine.h"
#include "menu/About.h"
#include "menu/Huvudmeny.h"
#include "platform/Application.h"
#include "platform/Signals.h"

int main(int argc, char *argv[])
{
    if (const std::optional<int> answered = landora::AnswerCommandLine(argc, argv, std::cout))
        return *answered;
    landora::CApplication app(argc, argv);
    landora::QuitOnTerminationSignals();
    QApplication::setApplicationName(QStringLiteral("Landora"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    landora::TfrmHuvudmeny menu;
    // Hidden until the menu's ABOUT button shows it; the menu owns it.
    new landora::TfrmAbout(menu);
    QApplication::restoreOverrideCursor();
    menu.show();
    return QApplication::exec();
}
