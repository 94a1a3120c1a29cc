#include "data/Cp1252.h"
#include "data/ScoreValue.h"
#include "exercises/Catalogue.h"
#include "exercises/OvningMulti.h"
#include "map/Karta.h"
#include "map/Ort.h"
#include "scores/ScoreFile.h"
#include "scores/Tioitopp.h"
#include "ui/MenuFixture.h"
#include "windows/OvningMulti.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <array>
#include <gtest/gtest.h>

using namespace landora;
using namespace landora::test;

namespace {

constexpr std::array<const char *, 7> Pages = { "EUR", "NOR", "SYD", "ASI", "AFR", "AUS", "*" };

Colour BoxColour(const TAnswerImage *box)
{
    const QRgb p = box->Picture().pixel(4, 4);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

// The multiple-choice exercise with the fewest keys that has an English title.
COvning *SmallestMulti(const COvningar &catalogue)
{
    COvning *best = nullptr;
    for (COvning *e = const_cast<COvning *>(catalogue.First()); e != nullptr; e = e->Next)
        if (e->Kind == "MULTI" && !e->Title(2).empty() && (best == nullptr || e->KeyCount < best->KeyCount))
            best = e;
    return best;
}

int PageOf(const COvning &exercise)
{
    for (std::size_t i = 0; i < Pages.size(); ++i)
        if (exercise.Continent == Pages[i])
            return static_cast<int>(i) + 1;
    return 0;
}

// Answers the top-ten window once it shows: types the signature, presses OK.
struct TopTenAnswer {
    std::string signature;
    bool seen = false;
    int rank = 0;
    std::int32_t scoreShown = 0;

    // Polling stops when this answer goes out of scope.
    QObject alive;

    void Arm()
    {
        QTimer::singleShot(20, &alive, [this] { Poll(); });
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

// A box of the current question that is not the right one.
int WrongBox(const COvningMulti &exercise)
{
    for (int i = 1; i <= 4; ++i)
        if (i != exercise.RightPosition && exercise.CanChoose(i))
            return i;
    return 0;
}

struct MultiWindow : ::testing::Test {
    MenuFixture f;
    TfrmOvningMulti *window = nullptr;
    COvningMulti *exercise = nullptr;

    void StartSmallest()
    {
        f.Show();
        COvning *chosen = SmallestMulti(*f.menu->Catalogue());
        ASSERT_NE(chosen, nullptr);
        f.menu->SattVarldsdel(PageOf(*chosen));
        ASSERT_TRUE(f.StartByTitle(FromCp1252(chosen->Title(2))));
        window = f.menu->MultiWindow();
        ASSERT_NE(window, nullptr);
        exercise = dynamic_cast<COvningMulti *>(window->Exercise());
        ASSERT_NE(exercise, nullptr);
        EXPECT_EQ(window->tmrTimer->interval(), 1000);
        // The green pause is a second; the test shortens it to play faster.
        window->tmrTimer->setInterval(20);
    }
    void Choose(int n, bool byKey)
    {
        if (byKey)
            QTest::keyClick(window, static_cast<Qt::Key>(Qt::Key_0 + n));
        else
            QTest::mouseClick(
                window->AnswerImage(n) ? static_cast<TAnswerImage *>(window->AnswerImage(n)) : nullptr, Qt::LeftButton);
    }
};

} // namespace

TEST_F(MultiWindow, PlaysFromTheMenuToTheTopTenByMouseAndKeys)
{
    StartSmallest();
    ASSERT_TRUE(window->isVisible());
    EXPECT_TRUE(f.boxes.boxes.empty());
    EXPECT_EQ(window->windowTitle(), FromCp1252(f.menu->State().Text(17)));
    EXPECT_EQ(window->lblProcent->text(), "0 %");
    EXPECT_TRUE(window->tmrTid->isActive());
    const int questions = window->Map()->Places->SelectedCount;
    ASSERT_GT(questions, 0);

    // The keypad's digits choose nothing.
    QTest::keyClick(window, Qt::Key_1, Qt::KeypadModifier);
    EXPECT_EQ(exercise->AnswerCount, 0);

    // Each pause's tick also brings the same key again: it arrives after the
    // pause, while the old question is still current, and must be refused.
    int echoed = 0;
    QObject::connect(window->tmrTimer, &QTimer::timeout, window, [&] {
        ++echoed;
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(window, new QKeyEvent(type, Qt::Key_0 + exercise->RightPosition, {}));
    });

    TopTenAnswer topTen;
    topTen.signature = "Chooser";
    int answers = 0;
    int wrong = 0;
    int asked = 0;
    while (!window->RunOver && asked <= questions) {
        ++asked;
        EXPECT_EQ(window->lblCount->text(), QString("%1 (%2)").arg(asked).arg(questions));
        EXPECT_EQ(window->Label1->text().isEmpty(), false);
        const bool byKey = asked % 2 == 0;
        if (asked <= 2) {
            const int n = WrongBox(*exercise);
            ASSERT_GT(n, 0);
            Choose(n, byKey);
            ++answers;
            ++wrong;
            EXPECT_EQ(window->lblProcent->text(), QString::number(RoundedPercent(answers, wrong)) + " %");
            EXPECT_EQ(
                BoxColour(static_cast<TAnswerImage *>(window->AnswerImage(n))), f.menu->State().colours.AlertColour);
        }
        const int right = exercise->RightPosition;
        auto *rightBox = static_cast<TAnswerImage *>(window->AnswerImage(right));
        // In the pause: the box is green, and a second choice is refused.
        Colour inPause = 0;
        int countedInPause = -1;
        QTimer::singleShot(0, [&] {
            inPause = BoxColour(rightBox);
            QTest::keyClick(window, static_cast<Qt::Key>(Qt::Key_0 + right));
            countedInPause = exercise->AnswerCount;
        });
        if (asked == questions)
            topTen.Arm();
        Choose(right, byKey);
        ++answers;
        EXPECT_EQ(inPause, RGB(0, 128, 0));
        EXPECT_EQ(countedInPause, answers);
        EXPECT_EQ(exercise->AnswerCount, answers) << "a choice in the pause was judged";
        EXPECT_EQ(window->lblProcent->text(), QString::number(RoundedPercent(answers, wrong)) + " %");
    }
    EXPECT_EQ(asked, questions);
    EXPECT_GE(echoed, questions);
    ASSERT_TRUE(window->RunOver);
    EXPECT_FALSE(window->tmrTid->isActive());
    ASSERT_TRUE(topTen.seen);
    ASSERT_GT(topTen.rank, 0);
    EXPECT_EQ(topTen.scoreShown, PackScore(exercise->Percent, window->Seconds));
    HighScoreTable table;
    ReadScoreFile(f.dir.File("scores.hgh"), table);
    EXPECT_EQ(table.At(exercise->Number, topTen.rank).Signature, "Chooser");

    // After the end every choice is ignored.
    for (int n = 1; n <= 4; ++n)
        Choose(n, true);
    EXPECT_EQ(exercise->AnswerCount, answers);

    // The flower turns into berries, once.
    QTest::mouseClick(window->imgBlomma, Qt::LeftButton);
    EXPECT_FALSE(window->imgBlomma->isVisible());
    EXPECT_TRUE(window->imgBar->isVisible());
}

TEST_F(MultiWindow, ClosedOrReleasedDuringTheGreenPause)
{
    StartSmallest();
    window->tmrTimer->setInterval(1000);
    for (bool release : { false, true }) {
        SCOPED_TRACE(release ? "released by the menu" : "closed by the player");
        QPointer<TfrmOvningMulti> watched(window);
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            if (release)
                f.menu->FormActivate();
            else
                QTest::mouseClick(watched->cmdAvsluta, Qt::LeftButton);
        });
        const int remaining = window->Map()->Places->RemainingCount;
        const std::string question = window->Label1->text().toStdString();
        window->imgSvarClick(exercise->RightPosition);
        ASSERT_TRUE(ran);
        ASSERT_FALSE(watched.isNull()) << "not deleted under its own handler";
        EXPECT_FALSE(watched->isVisible());
        EXPECT_EQ(exercise->AnswerCount, 1);
        EXPECT_EQ(window->Map()->Places->RemainingCount, remaining) << "the place counted as answered";
        EXPECT_EQ(window->Label1->text().toStdString(), question) << "went on to the next question";
        EXPECT_FALSE(window->tmrTimer->isActive());
        f.menu->FormActivate();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(watched.isNull());
        EXPECT_EQ(exercise->Window, nullptr);
        EXPECT_EQ(exercise->Map, nullptr);
        if (!release) {
            ASSERT_TRUE(f.StartByTitle(FromCp1252(exercise->Title(2))));
            window = f.menu->MultiWindow();
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(window->lblProcent->text(), "0 %");
        }
    }
}
