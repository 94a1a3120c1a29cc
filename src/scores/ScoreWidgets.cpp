#include "scores/ScoreWidgets.h"

#include "platform/ProgramFolder.h"

#include <QLabel>
#include <QPixmap>
#include <QTableWidget>

namespace landora::scorewidgets {

QFont ArialPixels(int pixels, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void Paint(QWidget *widget, Colour colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    palette.setColor(QPalette::Base, ToQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void ShowPicture(QLabel *label, const char *fileName)
{
    const QPixmap picture(QString::fromStdString(InProgramFolder(fileName)));
    label->setScaledContents(true);
    if (!picture.isNull())
        label->setPixmap(picture);
}

void SetCell(QTableWidget *grid, int row, int column, const QString &text)
{
    QTableWidgetItem *cell = grid->item(row, column);
    if (cell == nullptr) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid->setItem(row, column, cell);
    }
    cell->setText(text);
}

QString CellText(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *cell = grid->item(row, column);
    return cell == nullptr ? QString() : cell->text();
}

} // namespace landora::scorewidgets
