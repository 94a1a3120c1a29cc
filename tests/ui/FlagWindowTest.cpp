#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <set>

#include "data/Cp1252.h"
#include "data/ProgramState.h"
#include "data/ScoreValue.h"
#include "exercises/Catalogue.h"
#include "exercises/OvningFlagga.h"
#include "map/Area.h"
#include "map/Karta.h"
#include "platform/EventPump.h"
#include "scores/ScoreFile.h"
#include "scores/Tioitopp.h"
#include "support/CrpWriter.h"
#include "support/FakeRandom.h"
#include "ui/MenuFixture.h"
#include "windows/OvningFlagga.h"

using namespace landora;
using namespace landora::test;

namespace {

const QString Data = QStringLiteral(LANDORA_DATASET_DIR);

// The flag files of the first eight countries; the others all name a file
// that is not there.
const std::vector<std::string> FlagFiles = {"ad.bmp",   "",         "missing.bmp", "empty.bmp",
                                            "cut.bmp",  "text.bmp", "big.bmp",     "ae.bmp"};

std::string Key(int i)
{
    return "K" + std::to_string(1000 + i).substr(1);
}

// A data folder of 150 countries with their flags, some of them broken.
struct FlagWorld {
    TempDir dir;
    ProgramState state;
    FakeSound sound;
    CQtEventPump pump;
    ScriptedRandom random;
    ExerciseContext context{&sound, &random, &pump, &state};
    COvningFlagga exercise;
    MessageCatcher boxes;

    FlagWorld()
    {
        CrpWriter areas;
        for (int i = 1; i <= 150; ++i) {
            AreaRecord area;
            area.key = Key(i);
            area.names = {"Land" + Key(i), "Land" + Key(i)};
            area.flagFile = i <= 8 ? FlagFiles[static_cast<std::size_t>(i - 1)] : "missing.bmp";
            area.points = {{1, 1}, {2, 1}, {2, 2}, {1, 2}};
            area.WriteTo(areas);
        }
        dir.Write("AREA1.crp", areas.Bytes());
        dir.Write("AREA6.crp", areas.Bytes());
        CrpWriter places;
        PlaceRecord{}.WriteTo(places);
        dir.Write("Ort1.crp", places.Bytes());

        QDir(QString::fromStdString(dir.Path())).mkdir("flags");
        const QString flags = QString::fromStdString(dir.File("flags/"));
        QFile::copy(Data + "/flags/ad.bmp", flags + "ad.bmp");
        QFile::copy(Data + "/flags/ae.bmp", flags + "ae.bmp");
        QFile whole(Data + "/flags/ad.bmp");
        whole.open(QIODevice::ReadOnly);
        dir.Write("flags/cut.bmp", whole.readAll().left(1000).toStdString());
        dir.Write("flags/empty.bmp", "");
        dir.Write("flags/text.bmp", "not a picture");
        QImage big(400, 300, QImage::Format_RGB32);
        big.fill(Qt::red);
        big.save(flags + "big.bmp", "BMP");

        state.texts.LoadTexts((Data + "/lang.crp").toStdString());
        state.settings.Language = 2;
        state.Template.load(Data + "/bmptest.bmp", "BMP");
        state.ScoreFilePath = dir.File("scores.hgh");
        exercise.Kind = "FLAGG";
        exercise.Number = 7;
        exercise.Titles[2] = "Flags of the test";
        exercise.MapNumber = 1;
        exercise.PlaceFileNumber = 1;
    }

    // The countries of the given numbers, on the board in that order; the
    // questions draw their cells from `questions`.
    std::unique_ptr<TfrmOvningFlagga> Start(const std::vector<int> &countries, const std::vector<double> &questions)
    {
        exercise.KeyCount = static_cast<std::int32_t>(countries.size());
        for (std::size_t i = 0; i < countries.size(); ++i)
            exercise.Keys[static_cast<int>(i) + 1] = Key(countries[i]);
        Script(exercise.KeyCount, questions);
        auto window = std::make_unique<TfrmOvningFlagga>(state, context, sound, nullptr, dir.Path());
        window->StartExercise(&exercise);
        return window;
    }
    void Script(int n, const std::vector<double> &questions)
    {
        random = ScriptedRandom{};
        // Each draw of the shuffle swaps key i with itself: the order stays.
        for (int i = 1; i <= n; ++i)
            random.Push((i - 0.5) / n);
        for (double q : questions)
            random.Push(q);
    }
};

std::vector<int> Countries(int n)
{
    std::vector<int> countries;
    for (int i = 1; i <= n; ++i)
        countries.push_back(i);
    return countries;
}

QRgb PixelAt(const TfrmOvningFlagga &w, int x, int y)
{
    return w.imgFlags->Board.pixel(x, y) & 0xFFFFFF;
}

// The colour of a cell's inside, just within its grid lines.
QRgb CellColour(const TfrmOvningFlagga &w, int cell)
{
    const QRect inside = w.CellInside(cell);
    return PixelAt(w, inside.left() + 1, inside.top() + 1);
}

// The top-left corner of a cell's flag frame.
QPoint FrameCorner(const TfrmOvningFlagga &w, int cell)
{
    const int width = w.Flags[cell].isNull() ? 100 : w.Flags[cell].width();
    const int centre = static_cast<int>(std::nearbyint(((cell - 1) % 4 + 0.5) * w.CellWidth));
    return {centre - width / 2, w.CellInside(cell).top() - 1 + 8};
}

// Dark pixels in the band under a cell's flag frame: the name written there.
int NamePixels(const TfrmOvningFlagga &w, int cell)
{
    const QRect inside = w.CellInside(cell);
    const int h = w.Flags[cell].isNull() ? 63 : w.Flags[cell].height();
    const int top = FrameCorner(w, cell).y() + h;
    int dark = 0;
    for (int y = top; y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            dark += qGray(w.imgFlags->Board.pixel(x, y)) < 100 ? 1 : 0;
    return dark;
}

QPoint Centre(const TfrmOvningFlagga &w, int cell)
{
    return w.CellInside(cell).center();
}

void Click(TfrmOvningFlagga &w, int cell)
{
    QTest::mouseClick(w.imgFlags, Qt::LeftButton, {}, Centre(w, cell));
}

// Answers the top-ten window once it shows: types the signature and presses OK.
struct TopTenAnswer {
    std::string signature;
    bool seen = false;
    std::int32_t scoreShown = 0;
    int rank = 0;

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


constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Grey = 0xC0C0C0;
constexpr QRgb Green = 0x00FF00;

} // namespace

TEST(FlagWindow, SevenFlagsInTwoRowsBrokenFilesReportedOnceAndNothingDrawnOutsideItsCell)
{
    FlagWorld world;
    auto window = world.Start(Countries(7), {0.0});
    TfrmOvningFlagga &w = *window;
    ASSERT_EQ(w.FlagExercise()->FlagCount, 7);
    EXPECT_EQ(w.imgFlags->size(), QSize(597, 381));
    // Four in the first row, the rest in the second; cells beyond stay grey.
    EXPECT_EQ(w.CellAt(Centre(w, 5).x(), Centre(w, 5).y()), 5);
    EXPECT_EQ(w.CellInside(5).left(), 1);
    EXPECT_EQ(w.CellInside(5).top(), static_cast<int>(std::nearbyint(w.CellHeight)) + 1);
    EXPECT_EQ(CellColour(w, 1), White);
    EXPECT_EQ(CellColour(w, 7), White);
    EXPECT_EQ(CellColour(w, 8), Grey);
    EXPECT_EQ(CellColour(w, 16), Grey);

    // One box for each file that cannot be read, none for the area without a file.
    std::set<QString> texts;
    for (const QString &text : world.boxes.Texts())
        texts.insert(text);
    EXPECT_EQ(world.boxes.boxes.size(), 4u);
    EXPECT_EQ(texts, (std::set<QString>{"Could not open flag file missing.bmp", "Could not open flag file empty.bmp",
                                        "Could not open flag file cut.bmp", "Could not open flag file text.bmp"}));
    EXPECT_EQ(world.boxes.boxes.front().icon, MessageIcon::Error);

    // Every cell shows the picture of its own key, also after a restart
    // has moved the keys: a slot never keeps the picture of a key before.
    auto checkCells = [&w] {
        for (int cell = 1; cell <= 7; ++cell) {
            const std::string file =
                FlagFiles[static_cast<std::size_t>(std::stoi(w.FlagExercise()->Keys[cell].substr(1)) - 1)];
            const QRect inside = w.CellInside(cell);
            SCOPED_TRACE(file);
            if (file == "ad.bmp" || file == "ae.bmp") {
                EXPECT_EQ(w.Flags[cell].size(), QSize(84, 63));
                EXPECT_EQ(NamePixels(w, cell), 0) << "a flag is shown without its name";
            } else if (file == "big.bmp") {
                // Scaled into its cell, above the name.
                EXPECT_LE(w.Flags[cell].width(), inside.width());
                EXPECT_LE(8 + w.Flags[cell].height(), inside.height() - 12);
            } else {
                // An empty 100 x 63 frame with the country's name under it.
                EXPECT_TRUE(w.Flags[cell].isNull());
                const QPoint corner = FrameCorner(w, cell);
                EXPECT_EQ(PixelAt(w, corner.x(), corner.y()), 0u);
                EXPECT_EQ(PixelAt(w, corner.x() + 99, corner.y() + 62), 0u);
                EXPECT_EQ(PixelAt(w, corner.x() + 50, corner.y() + 20), White);
                EXPECT_GT(NamePixels(w, cell), 0);
            }
        }
        // The grid lines stay whole: nothing is drawn outside its cell.
        for (int i = 1; i <= 3; ++i) {
            const int y = static_cast<int>(std::nearbyint(i * w.CellHeight));
            const int x = static_cast<int>(std::nearbyint(i * w.CellWidth));
            for (int t = 0; t < 381; ++t)
                ASSERT_EQ(PixelAt(w, x, t), 0u) << x << "," << t;
            for (int t = 0; t < 597; ++t)
                ASSERT_EQ(PixelAt(w, t, y), 0u) << t << "," << y;
        }
    };
    checkCells();

    // A click beyond the board does nothing; a restart reports the files again.
    Click(w, 9);
    EXPECT_EQ(w.FlagExercise()->AnswerCount, 0);
    // Draws of 0 rotate the keys by one cell: text.bmp comes where big.bmp was.
    world.random = ScriptedRandom{0, 0, 0, 0, 0, 0, 0, 0};
    QTest::mouseClick(w.cmdStarta, Qt::LeftButton);
    ASSERT_EQ(w.FlagExercise()->Keys[7], Key(6));
    EXPECT_EQ(world.boxes.boxes.size(), 8u);
    checkCells();
}

TEST(FlagWindow, WrongNamesBlinkRightAndTheWipeOfAFoundFlag)
{
    FlagWorld world;
    // Two countries with flags; the questions ask cell 1, then cell 2.
    auto window = world.Start({1, 8}, {0.0, 0.0, 0.5});
    TfrmOvningFlagga &w = *window;
    COvningFlagga &e = *w.FlagExercise();
    ASSERT_EQ(e.CurrentIndex, 1);

    // A wrong flag shows its name until the wipe a second later.
    Click(w, 2);
    EXPECT_EQ(CellColour(w, 2), White);
    EXPECT_GT(NamePixels(w, 2), 0);
    EXPECT_EQ(w.PendingCell, 2);
    EXPECT_TRUE(w.tmrRitaOm->isActive());
    w.tmrRitaOmTimer();
    EXPECT_EQ(NamePixels(w, 2), 0);

    // The third wrong try starts the blink; the fourth goes on with it.
    Click(w, 2);
    EXPECT_GT(NamePixels(w, 2), 0) << "a second click on the same flag keeps its name";
    EXPECT_FALSE(w.tmrBlinka->isActive());
    Click(w, 2);
    EXPECT_TRUE(w.tmrBlinka->isActive());
    w.tmrBlinkaTimer();
    EXPECT_EQ(CellColour(w, 1), Green);
    Click(w, 2);
    EXPECT_EQ(w.BlinkCount, 2);
    w.tmrBlinkaTimer();
    EXPECT_EQ(CellColour(w, 1), White);
    w.tmrBlinkaTimer();
    EXPECT_EQ(CellColour(w, 1), Green);

    // The right flag: grey with its name, the blink over; four wrong, one right.
    Click(w, 1);
    EXPECT_EQ(CellColour(w, 1), Grey);
    EXPECT_GT(NamePixels(w, 1), 0);
    EXPECT_EQ(w.BlinkCount, 0);
    w.tmrBlinkaTimer();
    EXPECT_EQ(CellColour(w, 1), Grey);
    EXPECT_EQ(w.lblProcent->text(), "20 %");
    Click(w, 1);
    EXPECT_EQ(e.AnswerCount, 5) << "a found flag takes no click";

    // The flag whose name waits for the wipe is found within the second: it stays grey.
    ASSERT_EQ(e.CurrentIndex, 2);
    ASSERT_EQ(w.PendingCell, 2);
    TopTenAnswer topTen;
    topTen.signature = "T";
    topTen.Arm();
    Click(w, 2);
    EXPECT_TRUE(topTen.seen) << "the end of the run opens the top ten";
    w.tmrRitaOmTimer();
    EXPECT_EQ(CellColour(w, 2), Grey);
    EXPECT_GT(NamePixels(w, 2), 0);
    EXPECT_EQ(w.lblFraga->text(), "");
    EXPECT_FALSE(w.tmrTid->isActive());
}

TEST(FlagWindow, MoreThanAHundredKeysOnMapSixLoadOnlyTheBoard)
{
    FlagWorld world;
    // Map 6 loads its areas like every other map.
    world.exercise.MapNumber = 6;
    auto window = world.Start(Countries(150), {0.0});
    ASSERT_EQ(window->FlagExercise()->FlagCount, 16);
    // Every key beyond the eighth names a missing file: only those on the
    // board are read and reported.
    std::size_t bad = 0;
    for (int cell = 1; cell <= 16; ++cell) {
        const int i = std::stoi(window->FlagExercise()->Keys[cell].substr(1));
        bad += (i > 8 || (i >= 3 && i <= 6)) ? 1 : 0;
    }
    EXPECT_EQ(world.boxes.boxes.size(), bad);
}

TEST(FlagWindow, GoneWhileLoadingAnsweringOrBlinking)
{
    FlagWorld world;
    // Released by the menu while the first error box is open.
    {
        QPointer<TfrmOvningFlagga> window(new TfrmOvningFlagga(world.state, world.context, world.sound, nullptr,
                                                               world.dir.Path()));
        MessageBoxHandler previous = SetMessageBoxHandler([&](const MessageBoxRequest &) {
            if (!window.isNull())
                window->Release();
        });
        world.exercise.KeyCount = 5;
        for (int i = 1; i <= 5; ++i)
            world.exercise.Keys[i] = Key(i);
        world.Script(5, {0.0});
        window->StartExercise(&world.exercise);
        SetMessageBoxHandler(std::move(previous));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
        EXPECT_EQ(world.exercise.Window, nullptr);
        EXPECT_EQ(world.exercise.Map, nullptr);
    }
    // Closed and released while a right answer lets events run.
    {
        auto owned = world.Start({1, 8}, {0.0, 0.0});
        QPointer<TfrmOvningFlagga> window(owned.release());
        QTimer::singleShot(0, [&] {
            QTest::mouseClick(window->cmdAvsluta, Qt::LeftButton);
            window->Release();
        });
        Click(*window, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
        EXPECT_EQ(world.exercise.Window, nullptr);
    }
    // Released while a blink tick lets events run.
    {
        auto owned = world.Start({1, 8}, {0.0});
        QPointer<TfrmOvningFlagga> window(owned.release());
        for (int i = 0; i < 3; ++i)
            Click(*window, 2);
        QTimer::singleShot(0, [&] { window->Release(); });
        window->tmrBlinkaTimer();
        EXPECT_FALSE(window.isNull()) << "not deleted under its own handler";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
    }
}


TEST(FlagWindow, PlaysAFlagExerciseFromTheMenuIntoTheTopTen)
{
    MenuFixture f;
    f.Show();
    TfrmHuvudmeny &menu = *f.menu;
    // The smallest flag exercise of the shipped catalogue, on its own page.
    const COvning *chosen = nullptr;
    for (const COvning *e = menu.Catalogue()->First(); e != nullptr; e = e->Next)
        if (e->Kind == "FLAGG" && !e->Title(2).empty() && (chosen == nullptr || e->KeyCount < chosen->KeyCount))
            chosen = e;
    ASSERT_NE(chosen, nullptr);
    static const std::vector<std::string> pages = {"EUR", "NOR", "SYD", "ASI", "AFR", "AUS", "*"};
    const auto page = std::find(pages.begin(), pages.end(), chosen->Continent);
    ASSERT_NE(page, pages.end());
    const int row = static_cast<int>(page - pages.begin());
    QTest::mouseClick(menu.lstParts->viewport(), Qt::LeftButton, {},
                      menu.lstParts->visualItemRect(menu.lstParts->item(row)).center());
    ASSERT_EQ(menu.CurrentPage, row + 1);
    ASSERT_TRUE(f.StartByTitle(FromCp1252(chosen->Title(2))));
    TfrmOvningFlagga *window = menu.FlagWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    EXPECT_TRUE(f.boxes.boxes.empty()) << "every shipped flag can be read";
    EXPECT_EQ(window->lblProcent->text(), "0 %");
    const COvningFlagga &e = *window->FlagExercise();
    for (int cell = 1; cell <= e.FlagCount; ++cell)
        EXPECT_FALSE(window->Flags[cell].isNull()) << cell;

    // A wrong flag before each of the first two questions, then the right one.
    TopTenAnswer topTen;
    topTen.signature = "Flagger";
    int answers = 0;
    int wrong = 0;
    for (int question = 0; question < e.FlagCount; ++question) {
        EXPECT_EQ(window->lblFraga->text(), FromCp1252(menu.State().Text(9) + " " + e.FlagName(e.CurrentIndex)));
        if (question < 2) {
            int other = 1;
            while (other == e.CurrentIndex || e.Asked[other])
                ++other;
            ASSERT_LE(other, e.FlagCount);
            Click(*window, other);
            ++answers;
            ++wrong;
            EXPECT_EQ(window->lblProcent->text(), QString::number(RoundedPercent(answers, wrong)) + " %");
        }
        if (question + 1 == e.FlagCount)
            topTen.Arm();
        Click(*window, e.CurrentIndex);
        ++answers;
        EXPECT_EQ(window->lblProcent->text(), QString::number(RoundedPercent(answers, wrong)) + " %");
    }
    EXPECT_EQ(window->lblFraga->text(), "");
    EXPECT_FALSE(window->tmrTid->isActive());
    ASSERT_TRUE(topTen.seen);
    ASSERT_GT(topTen.rank, 0);
    EXPECT_EQ(topTen.scoreShown, PackScore(e.Percent, window->Seconds));
    HighScoreTable table;
    ReadScoreFile(f.dir.File("scores.hgh"), table);
    EXPECT_EQ(table.At(chosen->Number, topTen.rank).Signature, "Flagger");

    // Back to the menu: the window goes.
    QPointer<TfrmOvningFlagga> gone(window);
    QTest::mouseClick(window->cmdAvsluta, Qt::LeftButton);
    menu.FormActivate();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
}
