#include "FileSizeLimit.h"
#include "data/ProgramState.h"
#include "data/ScoreValue.h"
#include "exercises/OvningOrt.h"
#include "scores/ScoreFile.h"
#include "scores/ShowTopTen.h"
#include "scores/Tioitopp.h"
#include "support/FakeSound.h"
#include "support/MessageCatcher.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace landora;
using landora::test::FakeSound;
using landora::test::FileSizeLimit;
using landora::test::MessageCatcher;
using landora::test::TempDir;

namespace {

// "P1".."P10", built without operator+ on a literal, which GCC 12 warns
// about falsely when optimising.
std::string Signature(int rank)
{
    std::string text = "P";
    text += std::to_string(rank);
    return text;
}

constexpr int Exercise = 12;

struct TopTen {
    TempDir dir;
    ProgramState state;
    FakeSound sound;
    MessageCatcher boxes;
    TfrmTioitopp form { state, sound };

    TopTen()
    {
        state.texts.SetText(2, 11, "Top ten");
        form.ExerciseNumber = Exercise;
        form.ExerciseName = "Capitals of Europe";
    }

    std::string Path() const { return dir.File(ScoreFileName); }

    // A file whose list of the exercise holds `count` results of 80 %, rank r
    // taking r * 10 seconds.
    void WriteList(int count)
    {
        HighScoreTable table;
        for (int rank = 1; rank <= count; ++rank)
            table.At(Exercise, rank) = ScoreEntry { PackScore(80, rank * 10), Signature(rank) };
        table.At(3, 1) = ScoreEntry { PackScore(99, 5), "Other" };
        SaveScoreFile(Path(), table);
    }

    HighScoreTable Saved() const
    {
        HighScoreTable table;
        ReadScoreFile(Path(), table);
        return table;
    }

    QString Cell(int row, int column) const
    {
        const QTableWidgetItem *cell = form.grdLista->item(row, column);
        return cell ? cell->text() : QString();
    }
};

} // namespace

TEST(TopTenWindow, LayoutNamesAndTexts)
{
    TopTen t;
    t.WriteList(2);
    t.form.LoadAndInsert(t.Path(), ViewOnlyScore);
    t.form.show();

    EXPECT_EQ(t.form.size(), QSize(565, 510));
    EXPECT_EQ(t.form.minimumSize(), t.form.maximumSize()) << "a fixed-size dialog";
    EXPECT_EQ(t.form.windowTitle(), "Top ten");
    auto *title = t.form.findChild<QLabel *>("lblOvningsNamn");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Capitals of Europe");
    EXPECT_EQ(title->geometry(), QRect(12, 8, 541, 27));
    for (const char *name : { "Shape2", "Image1", "Image2", "grdLista", "txtNySignatur", "cmdOK" })
        EXPECT_NE(t.form.findChild<QWidget *>(name), nullptr) << name;
    EXPECT_EQ(t.form.grdLista->geometry(), QRect(24, 98, 521, 319));
    EXPECT_EQ(t.form.cmdOK->geometry(), QRect(12, 468, 541, 31));
    EXPECT_TRUE(t.form.cmdOK->isDefault());
    EXPECT_EQ(t.form.grdLista->rowCount(), 10);
    EXPECT_EQ(t.form.grdLista->rowHeight(9), 32);
    EXPECT_EQ(t.form.grdLista->columnWidth(1), 300);
    EXPECT_EQ(t.form.grdLista->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(t.form.grdLista->palette().color(QPalette::Base), QColor(40, 90, 160)) << "FrameColour";
    EXPECT_TRUE(t.form.txtNySignatur->isHidden()) << "viewing only shows no signature box";
}

TEST(TopTenWindow, GridShowsRankSignaturePercentAndTime)
{
    TopTen t;
    HighScoreTable table;
    table.At(Exercise, 1) = ScoreEntry { PackScore(93, 125), "Ok\xE4nd" };
    table.At(Exercise, 2) = ScoreEntry { 85, "Bare" };
    SaveScoreFile(t.Path(), table);
    t.form.LoadAndInsert(t.Path(), ViewOnlyScore);

    EXPECT_EQ(t.Cell(0, 0), "1");
    EXPECT_EQ(t.Cell(0, 1), QString::fromUtf8("Okänd"));
    EXPECT_EQ(t.Cell(0, 2), "93 %");
    EXPECT_EQ(t.Cell(0, 3), "02:05");
    EXPECT_EQ(t.Cell(1, 2), "85 %");
    EXPECT_EQ(t.Cell(1, 3), "") << "a bare percentage has no time";
    EXPECT_EQ(t.Cell(9, 0), "10");
    EXPECT_EQ(t.Cell(9, 1), "");
    EXPECT_EQ(t.Cell(9, 2), "");
    EXPECT_TRUE(t.boxes.boxes.empty());
    EXPECT_TRUE(t.sound.calls.empty());
}

TEST(TopTenWindow, NewResultOpensTheSignatureBoxOverItsRowAndEnterStoresIt)
{
    TopTen t;
    t.WriteList(4);
    t.form.LoadAndInsert(t.Path(), PackScore(80, 25)); // between rank 2 (20 s) and 3 (30 s)

    EXPECT_EQ(t.form.NewRank, 3);
    EXPECT_FALSE(t.form.txtNySignatur->isHidden());
    EXPECT_EQ(t.form.txtNySignatur->geometry(), QRect(24 + 40, 98 + 32 * 2, 300, 32));
    EXPECT_EQ(t.form.txtNySignatur->text(), "");
    EXPECT_EQ(t.form.txtNySignatur->placeholderText(), QString::fromUtf8("Okänd"));
    EXPECT_EQ(t.Cell(2, 1), QString::fromUtf8("Okänd")) << "the new entry holds the placeholder";
    EXPECT_EQ(t.Cell(3, 1), "P3");
    EXPECT_EQ(t.sound.calls, (std::vector<FakeSound::Call> { { FakeSound::Call::Midi, "good.mid", 0 } }));

    t.form.show();
    QTest::keyClicks(t.form.txtNySignatur, QString::fromUtf8("Åsa"));
    QTest::keyClick(t.form.txtNySignatur, Qt::Key_Return);

    EXPECT_FALSE(t.form.isVisible()) << "Enter presses OK, which closes the window";
    EXPECT_EQ(t.form.result(), QDialog::Accepted);
    const HighScoreTable saved = t.Saved();
    EXPECT_EQ(saved.At(Exercise, 3), (ScoreEntry { PackScore(80, 25), "\xC5sa" }));
    EXPECT_EQ(saved.At(Exercise, 4).Signature, "P3");
    EXPECT_EQ(saved.At(Exercise, 5).Signature, "P4");
    EXPECT_EQ(saved.At(3, 1).Signature, "Other") << "other exercises are written back unchanged";
    EXPECT_TRUE(t.boxes.boxes.empty());
}

TEST(TopTenWindow, LeavingTheBoxStoresTheSignatureCutTo50)
{
    TopTen t;
    t.form.LoadAndInsert(t.Path(), PackScore(70, 40));
    ASSERT_EQ(t.form.NewRank, 1) << "a first result into a missing file takes rank 1";
    t.form.show();
    t.form.activateWindow();
    t.form.txtNySignatur->setFocus();
    QApplication::processEvents();
    t.form.txtNySignatur->setText(QString(60, QChar('s')));

    // Leaving the box by another control taking the focus.
    t.form.cmdOK->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(t.form.txtNySignatur->isHidden());
    EXPECT_EQ(t.Cell(0, 1), QString(50, QChar('s')));

    QTest::mouseClick(t.form.cmdOK, Qt::LeftButton);
    EXPECT_EQ(t.Saved().At(Exercise, 1), (ScoreEntry { PackScore(70, 40), std::string(50, 's') }));
    EXPECT_EQ(t.dir.Read(ScoreFileName).size(), ScoreFileText(t.Saved()).size());
}

TEST(TopTenWindow, EmptyBoxOnOkStoresAnEmptySignature)
{
    TopTen t;
    t.WriteList(1);
    t.form.LoadAndInsert(t.Path(), PackScore(90, 100));
    ASSERT_EQ(t.form.NewRank, 1);
    t.form.cmdOKClick();
    EXPECT_EQ(t.Saved().At(Exercise, 1), (ScoreEntry { PackScore(90, 100), "" }));
    EXPECT_EQ(t.Saved().At(Exercise, 2).Signature, "P1");
}

TEST(TopTenWindow, EscClosesNothingAndTheNewResultIsKept)
{
    TopTen t;
    t.form.LoadAndInsert(t.Path(), PackScore(75, 30));
    ASSERT_EQ(t.form.NewRank, 1);
    t.form.show();
    QTest::keyClicks(t.form.txtNySignatur, "Li");
    QTest::keyClick(t.form.txtNySignatur, Qt::Key_Escape);
    EXPECT_TRUE(t.form.isVisible());
    EXPECT_FALSE(t.form.txtNySignatur->isHidden());
    QTest::keyClick(t.form.txtNySignatur, Qt::Key_Return);
    EXPECT_EQ(t.Saved().At(Exercise, 1), (ScoreEntry { PackScore(75, 30), "Li" }));
}

TEST(TopTenWindow, TooLowOrViewOnlyOpensNoBoxPlaysNothingAndOkRewritesUnchanged)
{
    for (const std::int32_t score : { PackScore(80, 500), ViewOnlyScore }) {
        TopTen t;
        t.WriteList(10);
        const std::string before = t.dir.Read(ScoreFileName);
        t.form.LoadAndInsert(t.Path(), score);
        EXPECT_EQ(t.form.NewRank, 0);
        EXPECT_TRUE(t.form.txtNySignatur->isHidden());
        EXPECT_TRUE(t.sound.calls.empty());

        t.dir.Write(ScoreFileName, before + "\r\n"); // proves the file is written again
        t.form.cmdOKClick();
        EXPECT_EQ(t.dir.Read(ScoreFileName), before);
    }
}

TEST(TopTenWindow, ClosingWithoutOkKeepsTheFile)
{
    TopTen t;
    t.WriteList(2);
    const std::string before = t.dir.Read(ScoreFileName);
    t.form.LoadAndInsert(t.Path(), PackScore(100, 1));
    t.form.show();
    t.form.close();
    EXPECT_EQ(t.dir.Read(ScoreFileName), before);
}

TEST(TopTenWindow, DamagedFileIsReportedKeptAsBakAndRewrittenWithWhatWasRead)
{
    TopTen t;
    const std::string damaged = "12\r\n1\r\nFirst\r\n9000000\r\n12\r\n0\r\nBad\r\n1\r\n12\r\n2\r\nLost\r\n8000000\r\n";
    t.dir.Write(ScoreFileName, damaged);
    t.form.LoadAndInsert(t.Path(), PackScore(85, 60));

    ASSERT_EQ(t.boxes.boxes.size(), 1);
    EXPECT_EQ(t.boxes.boxes.front().icon, MessageIcon::Information);
    const QString text = t.boxes.boxes.front().text;
    EXPECT_TRUE(text.startsWith("Error reading the highscore file. The following error occurred: Range check error"))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(t.Path() + ".bak"))) << "the box says where the file went";
    EXPECT_EQ(t.form.UnreadableCopy(), t.Path() + ".bak");
    EXPECT_EQ(t.dir.Read("scores.hgh.bak"), damaged);
    EXPECT_EQ(t.form.NewRank, 2) << "insertion goes on with what was read";

    t.form.cmdOKClick();
    EXPECT_EQ(t.boxes.boxes.size(), 1) << "saving went well";
    const HighScoreTable saved = t.Saved();
    EXPECT_EQ(saved.At(Exercise, 1).Signature, "First");
    EXPECT_EQ(saved.At(Exercise, 2).Score, PackScore(85, 60));
    EXPECT_EQ(saved.At(Exercise, 3), ScoreEntry {});
    EXPECT_EQ(t.dir.Read("scores.hgh.bak"), damaged) << "the copy beside the rewritten file is untouched";
}

TEST(TopTenWindow, DamagedFileThatCannotBeCopiedIsNeverOverwritten)
{
    TopTen t;
    const std::string damaged
        = "12\r\n1\r\n" + std::string(50, 'd') + "\r\n9000000\r\n12\r\nx\r\n" + std::string(8000, '#') + "\r\n";
    t.dir.Write(ScoreFileName, damaged);
    {
        FileSizeLimit limit(1024); // the copy cannot be written
        t.form.LoadAndInsert(t.Path(), PackScore(95, 10));
    }
    ASSERT_EQ(t.boxes.boxes.size(), 1);
    EXPECT_TRUE(t.boxes.boxes.front().text.contains("Invalid numeric input"));
    EXPECT_TRUE(t.boxes.boxes.front().text.contains("will not be overwritten"));
    EXPECT_TRUE(t.form.UnreadableCopy().empty());

    t.form.cmdOKClick();
    ASSERT_EQ(t.boxes.boxes.size(), 2);
    EXPECT_TRUE(
        t.boxes.boxes.back().text.startsWith("Could not write to the highscore file. The following error occurred: "));
    EXPECT_EQ(t.dir.Read(ScoreFileName), damaged);
    EXPECT_EQ(
        QDir(QString::fromStdString(t.dir.Path())).entryList(QDir::Files | QDir::Hidden), QStringList { "scores.hgh" })
        << "no cut-off copy is left behind";
}

TEST(TopTenWindow, FileOfManyMegabytesIsRefusedAndKeptAsItIs)
{
    TopTen t;
    t.WriteList(10);
    const std::string valid = t.dir.Read(ScoreFileName);
    std::string huge;
    while (huge.size() < 8'000'000)
        huge += valid;
    t.dir.Write(ScoreFileName, huge);
    t.form.LoadAndInsert(t.Path(), PackScore(100, 1));
    ASSERT_EQ(t.boxes.boxes.size(), 1u);
    EXPECT_TRUE(t.boxes.boxes.front().text.startsWith("Error reading the highscore file."));
    EXPECT_TRUE(t.boxes.boxes.front().text.contains("will not be overwritten"));
    t.form.cmdOKClick();
    EXPECT_EQ(t.dir.Read(ScoreFileName).size(), huge.size());
    EXPECT_EQ(QDir(QString::fromStdString(t.dir.Path())).entryList(QDir::Files).size(), 1) << "no copy made";
}

TEST(TopTenWindow, WriteFailureIsReportedAndTheWindowStillCloses)
{
    TopTen t;
    t.form.LoadAndInsert(t.dir.File("missing-folder/scores.hgh"), PackScore(50, 50));
    t.form.show();
    t.form.cmdOKClick();
    ASSERT_EQ(t.boxes.boxes.size(), 1);
    EXPECT_TRUE(
        t.boxes.boxes.front().text.startsWith("Could not write to the highscore file. The following error occurred: "));
    EXPECT_GT(t.boxes.boxes.front().text.size(), 71) << "the cause follows";
    EXPECT_FALSE(t.form.isVisible());
}

TEST(ShowTopTen, OpensModallyWithTheTitleInTheCurrentLanguageAndSaves)
{
    TempDir dir;
    ProgramState state;
    state.settings.Language = 7;
    state.ScoreFilePath = dir.File(ScoreFileName);
    FakeSound sound;
    MessageCatcher boxes;
    COvningOrt exercise;
    exercise.Number = 44;
    exercise.Titles[2] = "Rivers";
    exercise.Titles[7] = "Floder";

    QString shownTitle;
    bool boxShown = false;
    QTimer::singleShot(0, [&] {
        auto *form = qobject_cast<TfrmTioitopp *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        shownTitle = form->lblOvningsNamn->text();
        boxShown = !form->txtNySignatur->isHidden();
        form->txtNySignatur->setText("Bo");
        form->cmdOK->click();
    });
    ShowTopTen(exercise, PackScore(60, 30), nullptr, state, sound);

    EXPECT_EQ(shownTitle, "Floder");
    EXPECT_TRUE(boxShown);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the window is gone";
    HighScoreTable saved;
    ReadScoreFile(state.ScoreFilePath, saved);
    EXPECT_EQ(saved.At(44, 1), (ScoreEntry { PackScore(60, 30), "Bo" }));
    EXPECT_EQ(sound.calls.size(), 1u);
}
