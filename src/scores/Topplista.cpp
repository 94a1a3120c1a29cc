#include "scores/Topplista.h"

#include "platform/ApplyTexts.h"
#include "platform/ProgramFolder.h"
#include "data/ProgramState.h"
#include "platform/Shell.h"
#include "exercises/Catalogue.h"
#include "data/Cp1252.h"
#include "data/Errors.h"
#include "data/ScoreValue.h"
#include "scores/ScoreWidgets.h"

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace landora {
namespace {

using namespace scorewidgets;

constexpr int CaptionText = 8;
constexpr int HeadingText = 2;
constexpr int RowHeight = 20;
constexpr int ColumnWidths[] = { 0, 295, 120, 50, 50 };

template <typename T> T *Named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TfrmTopplista::TfrmTopplista(ProgramState &state, QWidget *owner)
    : QDialog(owner)
    , state_(state)
{
    setObjectName(QStringLiteral("frmTopplista"));
    setWindowTitle(QStringLiteral("Topplistan"));
    SetTextTag(this, CaptionText);
    setFixedSize(640, 559);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    Panel1 = Named(new QFrame(this), "Panel1");
    Panel1->setGeometry(36, 18, 565, 527);
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setContentsMargins(2, 2, 2, 2);
    Paint(Panel1, state_.colours.FrameColour);

    lblRubrik = Named(new QLabel(QStringLiteral("T O P P L I S T A N"), Panel1), "lblRubrik");
    SetTextTag(lblRubrik, HeadingText);
    lblRubrik->setGeometry(38, 14, 485, 27);
    lblRubrik->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    lblRubrik->setFont(ArialPixels(21, true));
    QPalette yellow = lblRubrik->palette();
    yellow.setColor(QPalette::WindowText, Qt::yellow);
    lblRubrik->setPalette(yellow);

    imgBlomma1 = Named(new QLabel(Panel1), "imgBlomma1");
    imgBlomma1->setGeometry(16, 10, 45, 35);
    ShowPicture(imgBlomma1, "toplist1.png");
    imgBlomma1->installEventFilter(this);
    imgBlomma2 = Named(new QLabel(Panel1), "imgBlomma2");
    imgBlomma2->setGeometry(510, 10, 37, 35);
    ShowPicture(imgBlomma2, "toplist2.png");
    imgBlomma2->installEventFilter(this);

    grdLista = Named(new QTableWidget(Panel1), "grdLista");
    grdLista->setGeometry(18, 53, 529, 420);
    grdLista->horizontalHeader()->hide();
    grdLista->verticalHeader()->hide();
    grdLista->verticalHeader()->setMinimumSectionSize(1);
    grdLista->verticalHeader()->setDefaultSectionSize(RowHeight);
    grdLista->setShowGrid(true);
    grdLista->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdLista->setSelectionMode(QAbstractItemView::SingleSelection);
    grdLista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdLista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdLista->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grdLista->setFont(ArialPixels(13, false));
    Paint(grdLista, state_.colours.PanelColour);
    QPalette gridText = grdLista->palette();
    gridText.setColor(QPalette::Text, Qt::black);
    grdLista->setPalette(gridText);

    cmdOK = Named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdOK->setGeometry(54, 500, 531, 31);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmTopplista::cmdOKClick);
}

void TfrmTopplista::LoadList(const std::string &path, const COvningar &catalogue)
{
    grdLista->setColumnCount(static_cast<int>(std::size(ColumnWidths)));
    for (int column = 0; column < grdLista->columnCount(); ++column)
        grdLista->setColumnWidth(column, ColumnWidths[column]);
    // The exercise number is kept in the row but never shown.
    grdLista->setColumnHidden(0, true);
    grdLista->setRowCount(ScoreExercises);
    FilePath = path;
    HighScoreTable.Clear();
    try {
        ReadScoreFile(path, HighScoreTable);
    } catch (const EFileNotFound &) {
        // No result was ever saved: the list shows every exercise without one.
    }
    FillList(catalogue);
}

void TfrmTopplista::FillList(const COvningar &catalogue)
{
    const int language = state_.settings.Language;
    int row = 0;
    grdLista->setRowCount(std::max(grdLista->rowCount(), catalogue.Count()));
    for (const COvning *exercise = catalogue.First(); exercise != nullptr; exercise = exercise->Next) {
        const std::string &title = exercise->Title(language);
        if (title.empty())
            continue;
        const ScoreEntry best = landora::HighScoreTable::HasList(exercise->Number)
            ? HighScoreTable.At(exercise->Number, 1)
            : ScoreEntry {};
        SetCell(grdLista, row, 0, QString::number(exercise->Number));
        SetCell(grdLista, row, 1, FromCp1252(title));
        SetCell(grdLista, row, 2, FromCp1252(best.Signature));
        if (best.Score > 0) {
            SetCell(grdLista, row, 3, QString::number(ScorePercent(best.Score)) + QStringLiteral(" %"));
            SetCell(grdLista, row, 4, QString::fromStdString(TimeText(ScoreSeconds(best.Score))));
        } else {
            SetCell(grdLista, row, 3, QString());
            SetCell(grdLista, row, 4, QString());
        }
        grdLista->setRowHeight(row, RowHeight);
        ++row;
    }
    // Like every grid of ours it keeps one row, empty, when nothing is listed.
    grdLista->setRowCount(std::max(row, 1));
    if (row == 0) {
        for (int column = 0; column < grdLista->columnCount(); ++column)
            SetCell(grdLista, 0, column, QString());
    }
    grdLista->setCurrentCell(0, 4);
}

void TfrmTopplista::cmdOKClick()
{
    accept();
}

void TfrmTopplista::SwapPictures()
{
    const int left = imgBlomma1->x();
    imgBlomma1->move(imgBlomma2->x(), imgBlomma1->y());
    imgBlomma2->move(left, imgBlomma2->y());
}

void TfrmTopplista::imgBlomma1MouseDown()
{
    SwapPictures();
}

void TfrmTopplista::imgBlomma2MouseDown()
{
    SwapPictures();
}

void TfrmTopplista::showEvent(QShowEvent *event)
{
    ApplyTexts(this, state_.texts, state_.settings.Language);
    Paint(grdLista, state_.colours.PanelColour);
    Paint(Panel1, state_.colours.FrameColour);
    QDialog::showEvent(event);
}

void TfrmTopplista::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        OpenHelp(this, state_.settings.Language, QString::fromLatin1(HelpSection::Scores));
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrmTopplista::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == imgBlomma1)
            imgBlomma1MouseDown();
        else if (watched == imgBlomma2)
            imgBlomma2MouseDown();
    }
    return QDialog::eventFilter(watched, event);
}

void ShowTopList(const COvningar &catalogue, QWidget *owner, ProgramState &state)
{
    if (state.ScoreFilePath.empty())
        state.ScoreFilePath = ChooseScoreFilePath(WritableProgramFolder());
    TfrmTopplista form(state, owner);
    form.LoadList(state.ScoreFilePath, catalogue);
    form.exec();
}

} // namespace landora
