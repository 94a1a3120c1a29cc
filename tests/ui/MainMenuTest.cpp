#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

#include "exercises/Catalogue.h"
#include "data/Cp1252.h"
#include "ui/MenuFixture.h"
#include "windows/OvningKarta.h"

using namespace landora;
using namespace landora::test;

namespace {

constexpr Colour Navy = RGB(0, 0, 128);
constexpr Colour Lime = RGB(0, 255, 0);

Colour At(const QImage &image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

// A picture pixel that is lime on `page` and on the world page but on no
// other page: a click there can pick only that page.
QPoint OwnLand(const TfrmHuvudmeny &menu, int page)
{
    const QImage &own = menu.ContinentPicture(page);
    const QPoint offset = menu.MapOffset;
    for (int y = -offset.y(); y < menu.imgMap->height() - offset.y(); ++y) {
        for (int x = -offset.x(); x < menu.imgMap->width() - offset.x(); ++x) {
            if (At(own, x, y) != Lime || At(menu.ContinentPicture(7), x, y) != Lime)
                continue;
            bool elsewhere = false;
            for (int other = 1; other <= 6; ++other)
                elsewhere = elsewhere || (other != page && At(menu.ContinentPicture(other), x, y) == Lime);
            if (!elsewhere)
                return QPoint(x, y) + offset;
        }
    }
    return {-1, -1};
}

} // namespace

TEST(MainMenu, OpensWithItsControlsTextsAndFirstPage)
{
    MenuFixture f;
    f.Show();
    TfrmHuvudmeny &menu = *f.menu;
    EXPECT_TRUE(f.boxes.boxes.empty()) << f.boxes.Texts().front().toStdString();
    EXPECT_EQ(menu.size(), QSize(600, 570));
    EXPECT_EQ(menu.panVit->geometry(), QRect(8, 5, 584, 560));
    EXPECT_EQ(menu.cmdStarta->geometry(), QRect(184, 411, 193, 28));
    EXPECT_EQ(menu.cboOvningar->geometry(), QRect(288, 148, 281, 253));
    EXPECT_EQ(menu.imgMap->geometry(), QRect(183, 12, 386, 136));
    EXPECT_EQ(menu.MapOffset, QPoint(-5, -9));
    for (QObject *control : {static_cast<QObject *>(menu.cmdStarta), static_cast<QObject *>(menu.lstParts),
                             static_cast<QObject *>(menu.tmrInstruktion)})
        EXPECT_EQ(menu.findChild<QObject *>(control->objectName()), control);

    // Texts of the current language: the buttons and the seven page names.
    EXPECT_EQ(menu.cmdStarta->text(), FromCp1252(menu.State().Text(1)));
    ASSERT_EQ(menu.lstParts->count(), 7);
    EXPECT_EQ(menu.lstParts->item(0)->text(), FromCp1252(menu.State().Text(27)));
    EXPECT_EQ(menu.lstParts->currentRow(), -1) << "no page row is selected at first";

    // Page 1 lists the European exercises with a title, in catalogue order.
    QStringList expected;
    for (const COvning *e = menu.Catalogue()->First(); e != nullptr; e = e->Next)
        if (e->Continent == "EUR" && !e->Title(2).empty())
            expected << FromCp1252(e->Title(2));
    ASSERT_FALSE(expected.isEmpty());
    ASSERT_EQ(menu.cboOvningar->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(menu.cboOvningar->item(i)->text(), expected[i]);
    EXPECT_FALSE(menu.tmrInstruktion->isActive()) << "Europe never starts the instruction animation";
    EXPECT_FALSE(menu.State().Template.isNull());
    EXPECT_EQ(menu.LanguageNames()[0], "Swedish");
    EXPECT_EQ(menu.LanguageNames()[8], "Portuguese (Brazil)");
}

// What the player sees of the menu: white all round the panel, the window
// centred, exercise rows 15 high, and the current row shown selected both
// after the start and after a page switch.
TEST(MainMenu, LooksAsDesignedAndShowsItsCurrentRow)
{
    MenuFixture f;
    f.Show();
    TfrmHuvudmeny &menu = *f.menu;
    const QImage shot = menu.grab().toImage();
    for (QPoint p : {QPoint(2, 2), QPoint(597, 2), QPoint(2, 567), QPoint(597, 567), QPoint(300, 2)})
        EXPECT_EQ(shot.pixelColor(p), QColor(Qt::white)) << p.x() << "," << p.y();

    const QRect screen = menu.screen()->availableGeometry();
    const QPoint centre = menu.frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(centre.y() - screen.center().y()), 1);

    ASSERT_GT(menu.cboOvningar->count(), 1);
    EXPECT_EQ(menu.cboOvningar->visualItemRect(menu.cboOvningar->item(0)).height(), 15);
    auto selectedFirst = [&menu] {
        return menu.cboOvningar->currentRow() == 0 && menu.cboOvningar->selectedItems().size() == 1 &&
               menu.cboOvningar->item(0)->isSelected() && menu.cmdStarta->isEnabled();
    };
    EXPECT_TRUE(selectedFirst()) << "after start";
    menu.SattVarldsdel(4);
    EXPECT_TRUE(selectedFirst()) << "after a page switch";
}

TEST(MainMenu, ClicksOnTheSmallMapPickPagesByColour)
{
    MenuFixture f;
    f.Show();
    TfrmHuvudmeny &menu = *f.menu;

    for (int page : {4, 5, 3}) {
        const QPoint land = OwnLand(menu, page);
        ASSERT_NE(land, QPoint(-1, -1)) << "page " << page;
        QTest::mouseClick(menu.imgMap, Qt::LeftButton, {}, land);
        EXPECT_EQ(menu.CurrentPage, page);
        EXPECT_EQ(menu.lstParts->currentRow(), page - 1);
    }
    // The top-left corner of the map is open sea on every page.
    QTest::mouseClick(menu.imgMap, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(At(menu.ContinentPicture(6), 2 - menu.MapOffset.x(), 2 - menu.MapOffset.y()), Navy);
    EXPECT_EQ(menu.CurrentPage, 7);
    EXPECT_EQ(f.sound.Waves().back(), "Plopp.WAV");

    // The page list switches pages too, and refills the exercise list.
    menu.lstParts->setCurrentRow(1);
    menu.lstPartsChosen();
    EXPECT_EQ(menu.CurrentPage, 2);
    for (int i = 0; i < menu.cboOvningar->count(); ++i) {
        const COvning *e = menu.Catalogue()->FindByName(ToCp1252(menu.cboOvningar->item(i)->text()), 2);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->Continent, "NOR");
    }
}

TEST(MainMenu, InstructionSlidesBehindTheListAndOneStepLater)
{
    MenuFixture f;
    f.Show();
    TfrmHuvudmeny &menu = *f.menu;
    menu.SattVarldsdel(4);
    EXPECT_TRUE(menu.tmrInstruktion->isActive());
    int ticks = 0;
    while (menu.tmrInstruktion->isActive() && ticks < 100) {
        menu.tmrInstruktionTimer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 16);
    EXPECT_EQ(menu.lblInstruktion->y(), 150);
    menu.SattVarldsdel(1);
    EXPECT_FALSE(menu.tmrInstruktion->isActive());
    menu.SattVarldsdel(7);
    menu.tmrInstruktionTimer();
    EXPECT_EQ(menu.lblInstruktion->y(), 152);
    EXPECT_FALSE(menu.tmrInstruktion->isActive());
}

TEST(MainMenu, StoredLanguageOutOfRangeReadsAsEnglish)
{
    MenuFixture f(77);
    f.Show();
    EXPECT_TRUE(f.boxes.boxes.empty());
    EXPECT_EQ(f.menu->State().settings.Language, 2);
    EXPECT_EQ(f.menu->lstParts->count(), 7);
    EXPECT_EQ(UsableLanguage(0), 2);
    EXPECT_EQ(UsableLanguage(10), 2);
    EXPECT_EQ(UsableLanguage(9), 9);
    EXPECT_EQ(UsableLanguage(42), 42);
}

TEST(MainMenu, LanguageFortyTwoClosesWithoutLoading)
{
    MenuFixture f(42);
    f.Show();
    QApplication::processEvents();
    EXPECT_EQ(f.menu->Catalogue(), nullptr);
    EXPECT_FALSE(f.menu->isVisible());
    EXPECT_TRUE(f.boxes.boxes.empty());
}

TEST(MainMenu, MissingCatalogueEndsInTheFailureBox)
{
    TempDir empty;
    MenuFixture f(2, empty.Path());
    f.Show();
    QApplication::processEvents();
    // The template bitmap and the logo are missing too; each says so in its own box.
    const MessageBoxRequest *failure = nullptr;
    for (const MessageBoxRequest &box : f.boxes.boxes)
        if (box.text.startsWith("Oops!"))
            failure = &box;
    ASSERT_NE(failure, nullptr);
    const QString text = failure->text;
    EXPECT_TRUE(text.startsWith("Oops! I failed to open the main menu.\nThe following problem occurred: "))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Ovning.crp")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("\nLandora will be terminated.")) << text.toStdString();
    EXPECT_EQ(failure->icon, MessageIcon::Error);
    EXPECT_FALSE(f.menu->isVisible());
}

TEST(MainMenu, MissingMapFileEndsInTheStartFailureBox)
{
    // The data set without the world map's areas.
    TempDir partial;
    QDir source(LANDORA_DATASET_DIR);
    for (const QString &name : source.entryList(QDir::Files))
        if (name != "AREA1.crp" && name != "AREA2.crp" && name != "AREA3.crp" && name != "AREA4.crp" &&
            name != "AREA5.crp" && name != "AREA6.crp")
            QFile::copy(source.filePath(name), QString::fromStdString(partial.File(name.toStdString())));
    MenuFixture f(2, partial.Path());
    f.Show();
    ASSERT_TRUE(f.boxes.boxes.empty());
    TfrmHuvudmeny &menu = *f.menu;
    const COvning *area = nullptr;
    for (const COvning *e = menu.Catalogue()->First(); e != nullptr && area == nullptr; e = e->Next)
        if (e->Continent == "EUR" && e->Kind == "AREA")
            area = e;
    ASSERT_NE(area, nullptr);
    ASSERT_TRUE(f.StartByTitle(FromCp1252(area->Title(2))));
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    const QString text = f.boxes.boxes.back().text;
    EXPECT_TRUE(text.startsWith("Oops! I failed to start the exercise.\nThe following problem occurred: "))
        << text.toStdString();
    EXPECT_TRUE(text.contains("AREA")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("\nLandora will be terminated."));
    EXPECT_EQ(menu.MapWindow(), nullptr);
    EXPECT_FALSE(menu.isVisible());
}

// The shipped page names and exercise titles are read whole in every
// language: none is cut at the edge of its list (the page list never
// scrolls sideways, and a sideways-scrolling exercise list hides the end of
// the title that tells the exercises apart).
TEST(MainMenu, ShippedPageNamesAndTitlesFitTheirListsInEveryLanguage)
{
    for (int language = 1; language <= LanguageCount; ++language) {
        MenuFixture f(language);
        f.Show();
        TfrmHuvudmeny &menu = *f.menu;
        // The item's text margins on both sides, as the list draws them.
        const auto room = [](const QListWidget *list) { return list->viewport()->width() - 6; };

        ASSERT_EQ(menu.lstParts->count(), 7);
        for (int row = 0; row < 7; ++row) {
            const QListWidgetItem *item = menu.lstParts->item(row);
            const QString name = item->text();
            const QFont font = item->data(Qt::FontRole).isValid() ? item->font() : menu.lstParts->font();
            EXPECT_GE(font.pixelSize(), 11) << "language " << language << ": \"" << name.toStdString() << "\"";
            EXPECT_TRUE(font.bold());
            EXPECT_EQ(menu.lstParts->visualItemRect(item).height(), 16);
            EXPECT_EQ(menu.lstParts->visualItemRect(item).top(), 16 * row);
            EXPECT_LE(QFontMetrics(font).horizontalAdvance(name), room(menu.lstParts))
                << "language " << language << ": page name \"" << name.toStdString() << "\" is cut";
        }

        const QFontMetrics titleFont(menu.cboOvningar->font());
        // Room with the scroll bar shown, as it is on the longer pages.
        const int titleRoom = menu.cboOvningar->width() - 2 * menu.cboOvningar->frameWidth() -
                              menu.cboOvningar->verticalScrollBar()->sizeHint().width() - 6;
        for (const COvning *e = menu.Catalogue()->First(); e != nullptr; e = e->Next) {
            const QString title = FromCp1252(e->Title(language));
            EXPECT_LE(titleFont.horizontalAdvance(title), titleRoom)
                << "language " << language << ": title \"" << title.toStdString() << "\" is cut";
        }
    }
}
