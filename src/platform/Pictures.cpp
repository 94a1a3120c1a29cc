#include "platform/Pictures.h"

#include <algorithm>

#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"

namespace landora {

QImage LoadGif(const std::string &path)
{
    QImageReader reader(QFile::decodeName(path.c_str()), "gif");
    // Only a GIF is a GIF: a file of another format under a .gif name fails.
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return {};
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb background = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == background)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

bool ShowGif(QLabel *control, const std::string &name)
{
    return ShowGif(control, name, ProgramFolder());
}

bool ShowGif(QLabel *control, const std::string &name, const std::string &folder)
{
    const QImage image = LoadGif(folder + "/" + name);
    if (image.isNull()) {
        ShowMessage(control, QStringLiteral("Kunde inte visa bilden ") + QFile::decodeName(name.c_str()) +
                                 QLatin1Char('.'));
        return false;
    }
    control->setPixmap(QPixmap::fromImage(image));
    return true;
}

QImage TemplateAtSize(const QImage &templateBitmap, int width, int height)
{
    QImage picture(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, templateBitmap);
    return picture;
}

QImage CopyTemplate(QLabel *control, const QImage &templateBitmap, IEventPump *pump)
{
    if (pump != nullptr)
        pump->ProcessEvents();
    else
        CQtEventPump().ProcessEvents();
    QImage picture = TemplateAtSize(templateBitmap, control->width(), control->height());
    control->setPixmap(QPixmap::fromImage(picture));
    return picture;
}

} // namespace landora
