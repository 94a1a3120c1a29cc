#include "platform/Pictures.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include <QBuffer>
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

namespace {

std::uint32_t U32(const QByteArray &bytes, int at)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData()) + at;
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t U16(const QByteArray &bytes, int at)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData()) + at;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// Whether the file holds every byte of pixels that its headers promise.
bool BitmapComplete(const QByteArray &bytes)
{
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const std::uint64_t offset = U32(bytes, 10);
    const std::uint32_t header = U32(bytes, 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = 0;
    std::uint64_t imageSize = 0;
    if (header == 12) {
        width = U16(bytes, 18);
        height = U16(bytes, 20);
        bits = U16(bytes, 24);
    } else if (header >= 40 && bytes.size() >= 38) {
        width = static_cast<std::int32_t>(U32(bytes, 18));
        height = static_cast<std::int32_t>(U32(bytes, 22));
        bits = U16(bytes, 28);
        compression = U32(bytes, 30);
        imageSize = U32(bytes, 34);
    } else {
        return false;
    }
    if (width <= 0 || height == 0 || bits == 0)
        return false;
    // Plain and bit-field rows fill whole 32-bit words; packed rows give their size.
    const bool plain = compression == 0 || compression == 3 || compression == 6;
    const std::uint64_t pixels =
        plain ? static_cast<std::uint64_t>((width * bits + 31) / 32 * 4) * static_cast<std::uint64_t>(std::abs(height))
              : imageSize;
    return static_cast<std::uint64_t>(bytes.size()) >= offset + pixels;
}

} // namespace

QImage LoadBitmap(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (!BitmapComplete(bytes))
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return {};
    return image;
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
