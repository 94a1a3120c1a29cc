#include <QLabel>
#include <QPixmap>
#include <gtest/gtest.h>

#include "platform/Pictures.h"
#include "support/FakeEventPump.h"
#include "support/MediaFiles.h"
#include "support/MessageCatcher.h"
#include "support/TempDir.h"

using namespace landora;
using landora::test::MessageCatcher;
using landora::test::Rgb;
using landora::test::TempDir;

namespace {

const std::array<Rgb, 4> Palette = {Rgb{0, 0, 255}, Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{255, 255, 255}};

// 4 x 3, background blue (index 0) in the bottom-left corner and a few
// other places, red, green and white elsewhere.
std::string Logo()
{
    return test::TinyGif(4, 3, Palette, {0, 1, 1, 0, //
                                         2, 3, 0, 2, //
                                         0, 1, 2, 3});
}

// A control that already shows a picture, to see that a failure keeps it.
struct Control {
    QLabel label;
    qint64 before;
    Control()
    {
        QPixmap previous(5, 5);
        previous.fill(Qt::yellow);
        label.setPixmap(previous);
        before = label.pixmap().cacheKey();
    }
};

} // namespace

TEST(ShowGif, ShowsTheFirstImageWithItsBackgroundTransparent)
{
    TempDir dir;
    dir.Write("logo.gif", Logo());
    MessageCatcher messages;
    Control c;
    ASSERT_TRUE(ShowGif(&c.label, "logo.gif", dir.Path()));
    EXPECT_TRUE(messages.boxes.empty());

    const QImage shown = c.label.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), QSize(4, 3));
    for (const QPoint p : {QPoint(0, 0), QPoint(3, 0), QPoint(2, 1), QPoint(0, 2)})
        EXPECT_EQ(qAlpha(shown.pixel(p)), 0) << p.x() << "," << p.y();
    EXPECT_EQ(shown.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(0, 1), qRgb(0, 255, 0));
    EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(3, 2), qRgb(255, 255, 255));
}

TEST(ShowGif, TheBackgroundIsTheBottomLeftColourWhateverItIs)
{
    TempDir dir;
    dir.Write("white.gif", test::TinyGif(2, 2, Palette, {0, 3, 3, 0}));
    const QImage image = LoadGif(dir.File("white.gif"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(qAlpha(image.pixel(0, 1)), 0);
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 255));
}

TEST(ShowGif, APictureThatCannotBeShownIsReportedOnceAndTheOldOneStays)
{
    TempDir dir;
    const std::string logo = Logo();
    dir.Write("empty.gif", "");
    dir.Write("garbage.gif", "this is not a picture at all");
    dir.Write("cut.gif", logo.substr(0, 13));
    dir.Write("header-only.gif", "GIF89a");
    // A picture of another format under a GIF name.
    QImage png(2, 2, QImage::Format_RGB32);
    png.fill(Qt::red);
    png.save(QString::fromStdString(dir.File("png.gif")), "PNG");

    for (const char *name : {"logo.gif", "empty.gif", "garbage.gif", "cut.gif", "header-only.gif", "png.gif"}) {
        SCOPED_TRACE(name);
        MessageCatcher messages;
        Control c;
        EXPECT_FALSE(ShowGif(&c.label, name, dir.Path()));
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].text, QStringLiteral("Kunde inte visa bilden ") + name + ".");
        EXPECT_EQ(messages.boxes[0].icon, MessageIcon::None);
        EXPECT_EQ(c.label.pixmap().cacheKey(), c.before);
    }
}

TEST(CopyTemplate, GivesTheControlTheTemplateAtItsOwnSize)
{
    QImage templ(4, 4, QImage::Format_RGB32);
    templ.fill(qRgb(10, 20, 30));
    templ.setPixel(3, 3, qRgb(200, 0, 0));

    QLabel control;
    control.resize(6, 2);
    test::CountingEventPump pump;
    const QImage picture = CopyTemplate(&control, templ, &pump);
    EXPECT_EQ(pump.count, 1) << "pending events run before the control's size is taken";
    ASSERT_EQ(picture.size(), QSize(6, 2));
    EXPECT_EQ(control.pixmap().size(), QSize(6, 2));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(picture.pixel(3, 1), qRgb(10, 20, 30));
    EXPECT_EQ(picture.pixel(5, 1), qRgb(255, 255, 255)) << "beyond the template";

    const QImage larger = TemplateAtSize(templ, 8, 8);
    EXPECT_EQ(larger.pixel(3, 3), qRgb(200, 0, 0));
    EXPECT_TRUE(TemplateAtSize(templ, 0, 5).isNull());
}

TEST(ShowGif, TheShippedLogoIsAGifWithATransparentBackground)
{
    const QImage logo = LoadGif(LANDORA_DATASET_DIR "/logo.gif");
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(qAlpha(logo.pixel(0, logo.height() - 1)), 0);
    EXPECT_TRUE(logo.hasAlphaChannel());
}
