#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "exercises/Catalogue.h"
#include "data/Cp1252.h"
#include "data/ScoreValue.h"
#include "exercises/OvningLandArea.h"
#include "exercises/OvningOrt.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "scores/ScoreFile.h"
#include "scores/Tioitopp.h"
#include "ui/MenuFixture.h"
#include "windows/MapImage.h"
#include "windows/OvningKarta.h"

using namespace landora;
using namespace landora::test;

namespace {

AnswerPoint PointAt(const CKarta &map, QPoint pixel)
{
    return AnswerPoint{map.YToLatitude(pixel.y()), map.PointToLongitude(pixel.y(), pixel.x()), 0};
}

QPoint PixelOf(const CKarta &map, double latitude, double longitude)
{
    const auto lat = static_cast<float>(latitude);
    return {map.PositionToX(lat, static_cast<float>(longitude)), map.LatitudeToY(lat)};
}

// The pixel nearest to `seed` (within a square spiral) whose point passes the
// test; (-1, -1) when there is none.
QPoint FindPixel(const CKarta &map, QPoint seed, const std::function<bool(AnswerPoint)> &test, int radius = 40)
{
    const Canvas &canvas = *map.Image;
    for (int r = 0; r <= radius; ++r) {
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != r)
                    continue;
                const QPoint p = seed + QPoint(dx, dy);
                if (p.x() <= 0 || p.y() <= 0 || p.x() >= canvas.Width() || p.y() >= canvas.Height())
                    continue;
                if (test(PointAt(map, p)))
                    return p;
            }
        }
    }
    return {-1, -1};
}

QPoint RightPixel(TfrmOvningKarta &window)
{
    COvning *e = window.Exercise();
    const CKarta &map = *window.Map();
    auto right = [e](AnswerPoint a) { return e->IsRight(a); };
    if (auto *place = dynamic_cast<COvningOrt *>(e))
        return FindPixel(map, PixelOf(map, place->CurrentPlace->Latitude, place->CurrentPlace->Longitude), right);
    auto *area = dynamic_cast<COvningLandArea *>(e);
    for (int i = 1; i <= map.Areas->Count; ++i) {
        const CArea &a = *map.Areas->Items[i];
        if (!a.Active || !a.Matches(area->CurrentKey))
            continue;
        for (GeoPoint seed : {a.FillPoint1, a.FillPoint2}) {
            const QPoint p = FindPixel(map, PixelOf(map, seed.Latitude, seed.Longitude), right);
            if (p.x() >= 0)
                return p;
        }
    }
    return {-1, -1};
}

// A pixel on an open item of the run that is not the one asked for.
QPoint WrongPixel(TfrmOvningKarta &window)
{
    COvning *e = window.Exercise();
    const CKarta &map = *window.Map();
    if (auto *place = dynamic_cast<COvningOrt *>(e)) {
        for (COrt *p = map.Places->First; p != nullptr; p = p->Next) {
            if (!p->Selected || p->Answered || p == place->CurrentPlace)
                continue;
            const QPoint pixel = FindPixel(map, PixelOf(map, p->Latitude, p->Longitude), [&](AnswerPoint a) {
                return place->NearestPlace(a) == p && !e->IsRight(a);
            });
            if (pixel.x() >= 0)
                return pixel;
        }
        return {-1, -1};
    }
    auto *area = dynamic_cast<COvningLandArea *>(e);
    for (int i = 1; i <= map.Areas->Count; ++i) {
        const CArea &a = *map.Areas->Items[i];
        if (!a.Active || a.Answered || a.Matches(area->CurrentKey))
            continue;
        const QPoint pixel =
            FindPixel(map, PixelOf(map, a.FillPoint1.Latitude, a.FillPoint1.Longitude), [&](AnswerPoint pt) {
                return !area->KeyAt(pt).empty() && !e->IsRight(pt) && !e->IsAnswered(pt);
            });
        if (pixel.x() >= 0)
            return pixel;
    }
    return {-1, -1};
}

void ClickMap(TfrmOvningKarta &window, QPoint canvasPixel)
{
    const double ratio = window.imgKarta->Ratio();
    QTest::mouseClick(window.imgKarta, Qt::LeftButton, {},
                      QPoint(static_cast<int>(canvasPixel.x() / ratio), static_cast<int>(canvasPixel.y() / ratio)));
}

// The smallest exercise of a kind on a page: the fewest keys.
const COvning *Smallest(const COvningar &catalogue, const std::string &continent, const std::string &kind)
{
    const COvning *best = nullptr;
    for (const COvning *e = catalogue.First(); e != nullptr; e = e->Next)
        if (e->Continent == continent && e->Kind == kind && !e->Title(2).empty() &&
            (best == nullptr || e->KeyCount < best->KeyCount))
            best = e;
    return best;
}

// Answers the top-ten window once it shows: types the signature and presses OK.
struct TopTenAnswer {
    std::string signature;
    bool seen = false;
    std::int32_t scoreShown = 0;
    int rank = 0;
    QPointer<TfrmOvningKarta> window;

    // The polls end with this answer: none of them outlives its test.
    QObject context;

    void Arm()
    {
        QTimer::singleShot(20, &context, [this] { Poll(); });
    }
    void Poll()
    {
        auto *dialog = qobject_cast<TfrmTioitopp *>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            Arm();
            return;
        }
        seen = true;
        rank = dialog->NewRank;
        if (rank > 0) {
            scoreShown = dialog->HighScoreTable.At(dialog->ExerciseNumber, rank).Score;
            QTest::keyClicks(dialog->txtNySignatur, QString::fromStdString(signature));
        }
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    }
};

struct Tally {
    bool doubleRight = false;
    int answers = 0;
    int wrong = 0;
    int Right()
    {
        ++answers;
        const int shown = RoundedPercent(answers, wrong);
        if (doubleRight)
            ++answers;
        return shown;
    }
    int Wrong()
    {
        ++answers;
        ++wrong;
        return RoundedPercent(answers, wrong);
    }
};

// Plays the run in the window to its end: a wrong click before each of the
// first two questions, then the right one. Returns the number of questions.
int PlayToTheEnd(TfrmOvningKarta &window, TopTenAnswer &topTen, bool doubleRight)
{
    Tally tally{doubleRight};
    int questions = 0;
    while (window.lblFraga->text() != "-") {
        if (questions > 400) {
            ADD_FAILURE() << "the run does not end";
            return questions;
        }
        if (questions < 2) {
            const QPoint wrong = WrongPixel(window);
            if (wrong.x() >= 0) {
                ClickMap(window, wrong);
                const int percent = tally.Wrong();
                EXPECT_EQ(window.lblProcent->text(), QString::number(percent) + " %");
                EXPECT_TRUE(window.lblNamn->isVisible()) << "a wrong click names what was hit";
            }
        }
        const QPoint right = RightPixel(window);
        if (right.x() < 0) {
            ADD_FAILURE() << "no pixel answers " << window.lblFraga->text().toStdString();
            return questions;
        }
        if (window.Exercise()->AskedCount + 1 >= window.Exercise()->KeyCount ||
            dynamic_cast<COvningOrt *>(window.Exercise()) != nullptr)
            topTen.Arm();
        const int percent = tally.Right();
        ClickMap(window, right);
        ++questions;
        EXPECT_EQ(window.lblProcent->text(), QString::number(percent) + " %") << questions;
    }
    return questions;
}

} // namespace

TEST(MapWindow, PlaysAPlaceAndAnAreaExerciseIntoTheTopTen)
{
    MenuFixture f;
    f.Show();
    TfrmHuvudmeny &menu = *f.menu;
    // Europe through the page list.
    const QRect europeRow = menu.lstParts->visualItemRect(menu.lstParts->item(0));
    QTest::mouseClick(menu.lstParts->viewport(), Qt::LeftButton, {}, europeRow.center());
    ASSERT_EQ(menu.CurrentPage, 1);

    int round = 0;
    for (const std::string kind : {"ORT", "AREA"}) {
        SCOPED_TRACE(kind);
        const COvning *chosen = Smallest(*menu.Catalogue(), "EUR", kind);
        ASSERT_NE(chosen, nullptr);
        ASSERT_TRUE(f.StartByTitle(FromCp1252(chosen->Title(2))));
        TfrmOvningKarta *window = menu.MapWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->isVisible());
        EXPECT_EQ(window->lblProcent->text(), "0 %");
        EXPECT_TRUE(window->lblFraga->text().startsWith(FromCp1252(menu.State().Text(9)) + " "));
        EXPECT_TRUE(window->cmdAvsluta->isEnabled());
        EXPECT_TRUE(window->imgKarta->isEnabled());

        TopTenAnswer topTen;
        topTen.signature = "Tester" + std::to_string(++round);
        const int questions = PlayToTheEnd(*window, topTen, kind == "AREA");
        EXPECT_GT(questions, 0);
        EXPECT_EQ(window->lblFraga->text(), "-");
        EXPECT_FALSE(window->lblText->isVisible());
        EXPECT_FALSE(window->tmrTid->isActive()) << "the time stands still at the end";
        EXPECT_TRUE(window->Exercise()->Finished);
        ASSERT_TRUE(topTen.seen) << "the top-ten window opens at the end";
        ASSERT_GT(topTen.rank, 0);
        EXPECT_EQ(topTen.scoreShown, PackScore(window->Exercise()->Percent, window->Seconds));

        // Later clicks neither count nor open the top ten again.
        const int answers = window->Exercise()->AnswerCount;
        ClickMap(*window, QPoint(window->imgKarta->Surface()->Width() / 2, window->imgKarta->Surface()->Height() / 2));
        EXPECT_EQ(window->Exercise()->AnswerCount, answers);

        HighScoreTable table;
        ReadScoreFile(f.dir.File("scores.hgh"), table);
        EXPECT_EQ(table.At(chosen->Number, topTen.rank).Signature, topTen.signature);

        // Back to the menu: the window goes.
        QPointer<TfrmOvningKarta> gone(window);
        QTest::mouseClick(window->cmdAvsluta, Qt::LeftButton);
        menu.FormActivate();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(gone.isNull());
    }
}

TEST(MapWindow, ExerciseWithNothingToAskEndsAtOnce)
{
    MenuFixture f;
    f.Show();
    const COvning *smallest = Smallest(*f.menu->Catalogue(), "EUR", "ORT");
    ASSERT_NE(smallest, nullptr);
    COvning *chosen = f.menu->Catalogue()->FindByName(smallest->Title(2), 2);
    chosen->Level = -1; // no place has a level below 0
    ASSERT_TRUE(f.StartByTitle(FromCp1252(chosen->Title(2))));
    TfrmOvningKarta *window = f.menu->MapWindow();
    ASSERT_NE(window, nullptr);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(window->lblFraga->text(), "-");
        EXPECT_FALSE(window->tmrTid->isActive());
        f.sound.calls.clear();
        const QPoint middle(window->imgKarta->Surface()->Width() / 2, window->imgKarta->Surface()->Height() / 2);
        ClickMap(*window, middle);
        EXPECT_EQ(window->Exercise()->AnswerCount, 0);
        EXPECT_TRUE(f.sound.calls.empty()) << "no sound, no top-ten music";
        QTest::mouseClick(window->cmdStarta, Qt::LeftButton); // a restart ends the same way
    }
}

namespace {

struct RunningWindow : ::testing::Test {
    MenuFixture f;
    TfrmOvningKarta *window = nullptr;
    COvning *exercise = nullptr;

    void StartSmallest(const std::string &kind)
    {
        f.Show();
        const COvning *chosen = Smallest(*f.menu->Catalogue(), "EUR", kind);
        ASSERT_NE(chosen, nullptr);
        ASSERT_TRUE(f.StartByTitle(FromCp1252(chosen->Title(2))));
        window = f.menu->MapWindow();
        ASSERT_NE(window, nullptr);
        exercise = window->Exercise();
    }
};

} // namespace

TEST_F(RunningWindow, ClosedAndReleasedWhileARightAnswerLetsEventsRun)
{
    StartSmallest("AREA");
    QPointer<TfrmOvningKarta> watched(window);
    const QPoint right = RightPixel(*window);
    ASSERT_GE(right.x(), 0);
    bool ran = false;
    // Runs inside the answer's "let pending events run".
    QTimer::singleShot(0, [&] {
        ran = true;
        QTest::mouseClick(watched->cmdAvsluta, Qt::LeftButton);
        f.menu->FormActivate();
    });
    window->imgKartaMouseDown(right.x(), right.y());
    ASSERT_TRUE(ran);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(exercise->Window, nullptr);
    EXPECT_EQ(exercise->Map, nullptr);
    EXPECT_EQ(f.menu->MapWindow(), nullptr);
    // The exercise can be started again in a new window.
    ASSERT_TRUE(f.StartByTitle(FromCp1252(exercise->Title(2))));
    ASSERT_NE(f.menu->MapWindow(), nullptr);
    EXPECT_EQ(f.menu->MapWindow()->lblProcent->text(), "0 %");
}

TEST_F(RunningWindow, ClickDuringARightAnswerIsDropped)
{
    StartSmallest("ORT");
    const QPoint right = RightPixel(*window);
    ASSERT_GE(right.x(), 0);
    int nestedBusy = -1;
    QTimer::singleShot(0, [&] {
        nestedBusy = window->Busy() ? 1 : 0;
        window->imgKartaMouseDown(right.x(), right.y());
        QTest::mouseClick(window->cmdStarta, Qt::LeftButton);
    });
    window->imgKartaMouseDown(right.x(), right.y());
    EXPECT_EQ(nestedBusy, 1);
    EXPECT_EQ(exercise->AnswerCount, 1) << "the second click was judged too";
    EXPECT_EQ(exercise->WrongCount, 0);
    EXPECT_EQ(window->lblProcent->text(), "100 %") << "the restart was not dropped";
}

TEST_F(RunningWindow, ReleasedDuringTheStartLeavesNothingBehind)
{
    f.Show();
    const COvning *chosen = Smallest(*f.menu->Catalogue(), "EUR", "AREA");
    ASSERT_NE(chosen, nullptr);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        f.menu->FormActivate();
    });
    ASSERT_TRUE(f.StartByTitle(FromCp1252(chosen->Title(2))));
    ASSERT_TRUE(ran);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.menu->MapWindow(), nullptr);
    EXPECT_TRUE(f.boxes.boxes.empty());
    EXPECT_TRUE(f.menu->isVisible());
}

TEST_F(RunningWindow, RestartShowsZeroAndKeepsTheMap)
{
    StartSmallest("ORT");
    const CKarta *map = window->Map();
    ClickMap(*window, RightPixel(*window));
    ASSERT_EQ(window->lblProcent->text(), "100 %");
    window->tmrTidTimer();
    ASSERT_FALSE(window->lblTid->text().isEmpty());
    QTest::mouseClick(window->cmdStarta, Qt::LeftButton);
    EXPECT_EQ(window->lblProcent->text(), "0 %");
    EXPECT_TRUE(window->lblTid->text().isEmpty());
    EXPECT_EQ(window->Seconds, 0);
    EXPECT_EQ(window->Map(), map);
    EXPECT_EQ(exercise->AnswerCount, 0);
    EXPECT_EQ(exercise->Percent, 100) << "kept until the next answer";
}

TEST_F(RunningWindow, NameLabelAndTimeLabels)
{
    StartSmallest("AREA");
    const QPoint wrong = WrongPixel(*window);
    ASSERT_GE(wrong.x(), 0);
    ClickMap(*window, wrong);
    EXPECT_TRUE(window->lblNamn->isVisible());
    EXPECT_TRUE(window->lblNamn->autoFillBackground()) << "grey for two seconds";
    EXPECT_TRUE(window->tmrNamnTimer->isActive());
    window->tmrNamnTimerTimer();
    EXPECT_FALSE(window->lblNamn->autoFillBackground());
    EXPECT_TRUE(window->lblNamn->isVisible());

    // The question follows the pointer 15 pixels off.
    window->imgKartaMouseMove(500, 300);
    EXPECT_TRUE(window->lblText->isVisible());
    EXPECT_EQ(window->lblText->pos(), QPoint(500 + 2 + 15, 300 + 2 + 15));
    EXPECT_EQ(window->lblText->text(), " " + window->lblFraga->text() + " ");

    window->Seconds = 124;
    window->tmrTidTimer();
    EXPECT_EQ(window->lblTid->text(), "02:05");
    EXPECT_EQ(window->lblYouTube->text(), " " + window->lblProcent->text() + "   02:05 ");
    window->Seconds = 100000;
    window->tmrTidTimer();
    EXPECT_EQ(window->Seconds, 100000);
}

TEST_F(RunningWindow, ReleasedWhileABlinkTickLetsEventsRun)
{
    StartSmallest("AREA");
    QPointer<TfrmOvningKarta> watched(window);
    const QPoint wrong = WrongPixel(*window);
    ASSERT_GE(wrong.x(), 0);
    for (int i = 0; i < 4; ++i)
        window->imgKartaMouseDown(wrong.x(), wrong.y());
    ASSERT_GE(exercise->Tries, 3);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        f.menu->FormActivate();
    });
    window->tmrBlinkaTimer();
    ASSERT_TRUE(ran);
    EXPECT_FALSE(watched.isNull()) << "not deleted under its own handler";
    EXPECT_FALSE(watched->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(exercise->Map, nullptr);
}

TEST_F(RunningWindow, BigTimerAndHiddenTimer)
{
    f.Show();
    f.menu->State().settings.BigTimer = true;
    f.menu->State().settings.ShowTimer = false;
    StartSmallest("ORT");
    EXPECT_TRUE(window->lblYouTube->isVisible());
    EXPECT_FALSE(window->lblTid->isVisible());
    EXPECT_EQ(window->lblYouTube->size(), QSize(450, 75));
    EXPECT_TRUE(window->lblYouTube->text().isEmpty()) << "empty until the first tick";
    window->Seconds = 124;
    window->tmrTidTimer();
    EXPECT_EQ(window->lblYouTube->text(), " 0 %   02:05 ");
    // It steps aside while the pointer is in the map's corner under it.
    window->imgKartaMouseMove(100, 50);
    EXPECT_FALSE(window->lblYouTube->isVisible());
    window->imgKartaMouseMove(100, 200);
    EXPECT_TRUE(window->lblYouTube->isVisible());
    // The time still counts and enters the score.
    EXPECT_EQ(window->Seconds, 125);
}

namespace {

// Catches what the desktop would open for a file URL: the help.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

public slots:
    void Open(const QUrl &url) { urls.append(url); }
};

// Clicks where the player would: on whatever lies topmost at the centre of
// `target`, not on `target` itself.
void ClickAsPlayer(QWidget *window, QWidget *target)
{
    const QPoint centre = target->mapTo(window, target->rect().center());
    QWidget *top = window->childAt(centre);
    ASSERT_NE(top, nullptr);
    QTest::mouseClick(top, Qt::LeftButton, {}, top->mapFrom(window, centre));
}

} // namespace

TEST_F(RunningWindow, TopBarButtonsLieOnTopAndFitTheBarsClientArea)
{
    StartSmallest("ORT");
    UrlCatcher catcher;
    ClickAsPlayer(window, window->cmdHjalp);
    ASSERT_EQ(catcher.urls.size(), 1) << "the help button is covered";
    EXPECT_TRUE(catcher.urls.front().path().endsWith("landora.html"));
    // F1 opens the same help from whichever control has the focus.
    window->activateWindow();
    window->cmdStarta->setFocus();
    QTest::keyClick(window->cmdStarta, Qt::Key_F1);
    ASSERT_EQ(catcher.urls.size(), 2) << "F1 opens the help once";
    EXPECT_EQ(catcher.urls.back(), catcher.urls.front());
    // The quit button's left edge is not covered either.
    const QPoint edge = window->cmdAvsluta->mapTo(window, QPoint(1, window->cmdAvsluta->height() / 2));
    EXPECT_EQ(window->childAt(edge), window->cmdAvsluta);

    // The bar's client area lies inside its one-pixel border: buttons are
    // 26 high, 2 pixels below the border and 2 left of the right one.
    const QRect client = window->panTop->contentsRect();
    for (QPushButton *b : {window->cmdTopp, window->cmdStarta, window->cmdHjalp, window->cmdAvsluta}) {
        EXPECT_EQ(b->height(), client.height() - 4) << b->objectName().toStdString();
        EXPECT_EQ(b->y(), client.top() + 2) << b->objectName().toStdString();
    }
    EXPECT_EQ(window->cmdAvsluta->height(), 26);
    EXPECT_EQ(window->cmdAvsluta->geometry().right() + 1, client.right() + 1 - 2);
    EXPECT_EQ(window->lblProcent->pos(), client.topLeft() + QPoint(5, 2));
}

TEST_F(RunningWindow, ClicksDuringABlinkTickAreHandled)
{
    StartSmallest("ORT");
    const QPoint right = RightPixel(*window);
    ASSERT_GE(right.x(), 0);
    bool ran = false;
    // Runs inside the tick's "let pending events run".
    QTimer::singleShot(0, [&] {
        ran = true;
        EXPECT_FALSE(window->Busy());
        window->imgKartaMouseDown(right.x(), right.y());
    });
    window->tmrBlinkaTimer();
    ASSERT_TRUE(ran);
    EXPECT_EQ(exercise->AnswerCount, 1) << "the answer vanished";
    EXPECT_EQ(window->lblProcent->text(), "100 %");

    // A restart in the middle of a tick restarts.
    QTimer::singleShot(0, [&] { QTest::mouseClick(window->cmdStarta, Qt::LeftButton); });
    window->tmrBlinkaTimer();
    EXPECT_EQ(exercise->AnswerCount, 0) << "the restart vanished";
    EXPECT_EQ(window->lblProcent->text(), "0 %");
}

#include "MapWindowTest.moc"
