// Opens the program's own main menu, as the executable does, and reports what
// it found: the install test places this program beside an installed landora,
// so that it finds its files exactly as that copy does. Prints the program
// folder, the exercise count of the first page and the score file chosen;
// exits 0 only when the exercise list is filled.
#include <QApplication>
#include <QListWidget>
#include <QTimer>

#include <cstdlib>
#include <iostream>

#include "menu/Huvudmeny.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Landora"));
    // A missing data set ends in a message box that nobody answers here.
    QTimer::singleShot(20000, [] {
        std::cerr << "the main menu did not come up: a message box is waiting\n";
        std::_Exit(2);
    });
    landora::TfrmHuvudmeny menu;
    menu.show();
    QApplication::processEvents();
    const int exercises = menu.cboOvningar->count();
    std::cout << "folder " << menu.Folder() << '\n'
              << "exercises " << exercises << '\n'
              << "scores " << menu.State().ScoreFilePath << std::endl;
    return exercises > 0 ? 0 : 1;
}
