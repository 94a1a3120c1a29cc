#include "data/ProgramState.h"
#include "exercises/Catalogue.h"
#include "data/Errors.h"
#include "data/ScoreValue.h"
#include "scores/ScoreFile.h"
#include "scores/Topplista.h"
#include "support/CrpWriter.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace landora;
using landora::test::CatalogueRecord;
using landora::test::CrpWriter;
using landora::test::TempDir;

namespace {

CatalogueRecord Entry(int number, const std::string &english, const std::string &german)
{
    CatalogueRecord record;
    record.number = number;
    record.titles = { "sv", english, "fr", german, "es", "it", "da", "nl", "pt" };
    record.keys = { "SWE" };
    return record;
}

struct TopList {
    TempDir dir;
    ProgramState state;
    COvningar catalogue;
    TfrmTopplista form { state };

    TopList()
    {
        // Catalogue order differs from number order; exercise 9 has no
        // English title.
        CrpWriter out;
        for (const CatalogueRecord &record : { Entry(30, "Rivers", "Fluesse"), Entry(5, "Capitals", "Hauptstaedte"),
                 Entry(9, "", "Berge"), Entry(200, "Odd number", "Seltsam") })
            record.WriteTo(out);
        dir.Write("Ovning.crp", out.Bytes());
        catalogue.LoadCatalogue(dir.File("Ovning.crp"));
        state.texts.SetText(2, 8, "Top list");
        state.texts.SetText(2, 2, "T O P  L I S T");
    }

    std::string Path() const { return dir.File(ScoreFileName); }

    QString Cell(int row, int column) const
    {
        const QTableWidgetItem *cell = form.grdLista->item(row, column);
        return cell ? cell->text() : QString();
    }
    QStringList Row(int row) const
    {
        QStringList cells;
        for (int column = 0; column < 5; ++column)
            cells << Cell(row, column);
        return cells;
    }
};

} // namespace

TEST(TopListWindow, BestResultOfEachTitledExerciseInCatalogueOrder)
{
    TopList t;
    HighScoreTable table;
    table.At(30, 1) = ScoreEntry { PackScore(97, 61), "Ok\xE4nd" };
    table.At(30, 2) = ScoreEntry { PackScore(90, 10), "Second" };
    table.At(9, 1) = ScoreEntry { PackScore(100, 5), "Hidden" };
    table.At(5, 1) = ScoreEntry { 85, "Bare" };
    SaveScoreFile(t.Path(), table);

    t.form.LoadList(t.Path(), t.catalogue);
    ASSERT_EQ(t.form.grdLista->rowCount(), 3) << "the exercise without an English title is left out";
    EXPECT_EQ(t.Row(0), (QStringList { "30", "Rivers", QString::fromUtf8("Okänd"), "97 %", "01:01" }));
    EXPECT_EQ(t.Row(1), (QStringList { "5", "Capitals", "Bare", "85 %", "" }));
    EXPECT_EQ(t.Row(2), (QStringList { "200", "Odd number", "", "", "" })) << "no list: the name only";
    EXPECT_TRUE(t.form.grdLista->isColumnHidden(0));
    EXPECT_EQ(t.form.grdLista->rowHeight(2), 20);

    t.state.settings.Language = 4;
    t.form.FillList(t.catalogue);
    ASSERT_EQ(t.form.grdLista->rowCount(), 4);
    EXPECT_EQ(t.Row(2), (QStringList { "9", "Berge", "Hidden", "100 %", "00:05" }));
}

TEST(TopListWindow, MissingFileShowsEveryExerciseWithoutResults)
{
    TopList t;
    ASSERT_NO_THROW(t.form.LoadList(t.Path(), t.catalogue));
    ASSERT_EQ(t.form.grdLista->rowCount(), 3);
    EXPECT_EQ(t.Row(0), (QStringList { "30", "Rivers", "", "", "" }));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(t.Path()))) << "the top list never writes";
}

TEST(TopListWindow, DamagedFileFailsWithItsCauseAndRank11IsSkipped)
{
    TopList t;
    t.dir.Write(ScoreFileName, "30\r\n11\r\nDeep\r\n9000000\r\n30\r\n1\r\nTop\r\n8000000\r\n");
    t.form.LoadList(t.Path(), t.catalogue);
    EXPECT_EQ(t.Cell(0, 2), "Top");

    t.dir.Write(ScoreFileName, "30\r\n0\r\nBad\r\n9000000\r\n");
    try {
        t.form.LoadList(t.Path(), t.catalogue);
        FAIL() << "rank 0 must fail the whole list";
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), "Range check error");
    }
}

TEST(TopListWindow, NoTitledExerciseLeavesOneEmptyRow)
{
    TopList t;
    t.form.LoadList(t.Path(), t.catalogue);
    ASSERT_EQ(t.Cell(0, 1), "Rivers");
    COvningar empty;
    t.form.FillList(empty);
    EXPECT_EQ(t.form.grdLista->rowCount(), 1);
    EXPECT_EQ(t.Row(0), (QStringList { "", "", "", "", "" }));
}

TEST(TopListWindow, LayoutTextsAndPicturesSwappingPlaces)
{
    TopList t;
    t.form.LoadList(t.Path(), t.catalogue);
    t.form.show();
    EXPECT_EQ(t.form.size(), QSize(640, 559));
    EXPECT_EQ(t.form.minimumSize(), t.form.maximumSize());
    EXPECT_EQ(t.form.windowTitle(), "Top list");
    EXPECT_EQ(t.form.findChild<QLabel *>("lblRubrik")->text(), "T O P  L I S T");
    EXPECT_EQ(t.form.findChild<QWidget *>("Panel1")->geometry(), QRect(36, 18, 565, 527));
    EXPECT_EQ(t.form.grdLista->geometry(), QRect(18, 53, 529, 420));
    EXPECT_EQ(t.form.grdLista->palette().color(QPalette::Base), QColor(192, 208, 224)) << "PanelColour";
    EXPECT_EQ(t.form.grdLista->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(t.form.cmdOK->isDefault());

    auto *left = t.form.findChild<QLabel *>("imgBlomma1");
    auto *right = t.form.findChild<QLabel *>("imgBlomma2");
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    QTest::mousePress(left, Qt::LeftButton);
    EXPECT_EQ(left->geometry(), QRect(510, 10, 45, 35));
    EXPECT_EQ(right->geometry(), QRect(16, 10, 37, 35));
    QTest::mousePress(left, Qt::LeftButton);
    EXPECT_EQ(left->x(), 16);
    EXPECT_EQ(right->x(), 510);
    QTest::mousePress(right, Qt::LeftButton);
    EXPECT_EQ(left->x(), 510);

    QTest::mouseClick(t.form.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(t.form.isVisible());
}

TEST(TopListWindow, ShowTopListUsesTheChosenFile)
{
    TopList t;
    HighScoreTable table;
    table.At(5, 1) = ScoreEntry { PackScore(50, 50), "Chosen" };
    SaveScoreFile(t.Path(), table);
    t.state.ScoreFilePath = t.Path();

    QString shown;
    QTimer::singleShot(0, [&] {
        auto *form = qobject_cast<TfrmTopplista *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        shown = form->grdLista->item(1, 2)->text();
        form->cmdOK->click();
    });
    ShowTopList(t.catalogue, nullptr, t.state);
    EXPECT_EQ(shown, "Chosen");
}
