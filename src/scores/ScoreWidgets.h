#pragma once
// Small helpers the two score windows share: colours, fonts, pictures of the
// program folder and the cells of their grids.
#include "data/Colour.h"

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QTableWidget;
class QWidget;

namespace landora::scorewidgets {

inline QColor ToQColor(Colour colour)
{
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

QFont ArialPixels(int pixels, bool bold);
// Fills a widget's background with a colour.
void Paint(QWidget *widget, Colour colour);
// A picture of the program folder, stretched to the label; a missing picture
// just leaves the label empty.
void ShowPicture(QLabel *label, const char *fileName);
// The text of a cell, creating the cell when it has none yet.
void SetCell(QTableWidget *grid, int row, int column, const QString &text);
QString CellText(const QTableWidget *grid, int row, int column);

} // namespace landora::scorewidgets
