#include "scores/Tioitopp.h"

#include "platform/ApplyTexts.h"
#include "platform/MessageBox.h"
#include "data/ProgramState.h"
#include "platform/Shell.h"
#include "data/Cp1252.h"
#include "data/Errors.h"
#include "data/ScoreValue.h"
#include "data/Services.h"
#include "scores/ScoreWidgets.h"

#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace landora {
namespace {

using namespace scorewidgets;

constexpr int CaptionText = 11;
constexpr int RowHeight = 32;
constexpr int ColumnWidths[] = { 40, 300, 90, 90, 100 };
constexpr const char *ReadErrorStart = "Error reading the highscore file. The following error occurred: ";
constexpr const char *WriteErrorStart = "Could not write to the highscore file. The following error occurred: ";

QString PathText(const std::string &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

template <typename T> T *Named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TfrmTioitopp::TfrmTioitopp(ProgramState &state, ISound &sound, QWidget *owner)
    : QDialog(owner)
    , state_(state)
    , sound_(sound)
{
    setObjectName(QStringLiteral("frmTioitopp"));
    setWindowTitle(QStringLiteral("High scores"));
    SetTextTag(this, CaptionText);
    setFixedSize(565, 510);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    lblOvningsNamn = Named(new QLabel(this), "lblOvningsNamn");
    lblOvningsNamn->setGeometry(12, 8, 541, 27);
    lblOvningsNamn->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    lblOvningsNamn->setFont(ArialPixels(20, true));
    QPalette black = lblOvningsNamn->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblOvningsNamn->setPalette(black);

    Shape2 = Named(new QWidget(this), "Shape2");
    Shape2->setGeometry(12, 40, 541, 425);
    Paint(Shape2, state_.colours.FrameColour);

    Image1 = Named(new QLabel(this), "Image1");
    Image1->setGeometry(118, 52, 319, 37);
    ShowPicture(Image1, "topten1.png");
    Image2 = Named(new QLabel(this), "Image2");
    Image2->setGeometry(124, 422, 319, 37);
    ShowPicture(Image2, "topten2.png");

    grdLista = Named(new QTableWidget(this), "grdLista");
    grdLista->setGeometry(24, 98, 521, 319);
    grdLista->setFrameShape(QFrame::NoFrame);
    grdLista->setShowGrid(false);
    grdLista->horizontalHeader()->hide();
    grdLista->verticalHeader()->hide();
    grdLista->verticalHeader()->setMinimumSectionSize(1);
    grdLista->verticalHeader()->setDefaultSectionSize(RowHeight);
    grdLista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdLista->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdLista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdLista->setSelectionMode(QAbstractItemView::NoSelection);
    grdLista->setFocusPolicy(Qt::NoFocus);
    grdLista->setAttribute(Qt::WA_TransparentForMouseEvents);
    grdLista->setFont(ArialPixels(20, true));
    Paint(grdLista, state_.colours.FrameColour);
    QPalette gridText = grdLista->palette();
    gridText.setColor(QPalette::Text, Qt::white);
    grdLista->setPalette(gridText);

    // First in the tab order: created before the OK button.
    txtNySignatur = Named(new QLineEdit(this), "txtNySignatur");
    txtNySignatur->setGeometry(80, 130, 111, 32);
    txtNySignatur->setFont(ArialPixels(20, true));
    txtNySignatur->setPlaceholderText(FromCp1252(UnknownSignature));
    txtNySignatur->hide();
    txtNySignatur->installEventFilter(this);

    cmdOK = Named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdOK->setGeometry(12, 468, 541, 31);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmTioitopp::cmdOKClick);
}

void TfrmTioitopp::SetUpGrid()
{
    grdLista->setColumnCount(static_cast<int>(std::size(ColumnWidths)));
    for (int column = 0; column < grdLista->columnCount(); ++column)
        grdLista->setColumnWidth(column, ColumnWidths[column]);
    grdLista->setRowCount(ScoreRanks);
    for (int row = 0; row < ScoreRanks; ++row)
        grdLista->setRowHeight(row, RowHeight);
}

void TfrmTioitopp::ClearTable()
{
    HighScoreTable.Clear();
}

void TfrmTioitopp::LoadAndInsert(const std::string &path, std::int32_t score)
{
    SetUpGrid();
    ClearTable();
    FilePath = path;
    NewRank = 0;
    unreadableCopy_.clear();
    keepFileAsItIs_ = false;

    // A missing file is the normal state before the first result: an empty table.
    if (QFileInfo::exists(PathText(path))) {
        try {
            ReadScoreFile(path, HighScoreTable);
        } catch (const EFileNotFound &) {
        } catch (const Exception &e) {
            ReportReadFailure(e.Message());
        }
    }

    const int rank = HighScoreTable.Insert(ExerciseNumber, score, UnknownSignature);
    if (rank > 0) {
        NewRank = rank;
        txtNySignatur->setGeometry(grdLista->x() + ColumnWidths[0], grdLista->y() + RowHeight * (rank - 1),
            ColumnWidths[1], txtNySignatur->height());
        txtNySignatur->clear();
        txtNySignatur->show();
        txtNySignatur->raise();
        txtNySignatur->setFocus();
        sound_.PlayMidi("good.mid", 0);
    }
    FillGrid();
}

void TfrmTioitopp::ReportReadFailure(const std::string &cause)
{
    // The table keeps what was read before the damage; OK would rewrite the
    // file without the rest, so the file as it is goes aside first.
    QString text = QString::fromLatin1(ReadErrorStart) + QString::fromStdString(cause);
    try {
        unreadableCopy_ = KeepUnreadableCopy(FilePath);
        text += QStringLiteral("\n\nThe file as it was has been kept as %1.").arg(PathText(unreadableCopy_));
    } catch (const Exception &e) {
        keepFileAsItIs_ = true;
        text += QStringLiteral("\n\nNo copy of it could be made (%1), so it will not be overwritten.")
                    .arg(QString::fromStdString(e.Message()));
    }
    ShowMessage(this, text, MessageIcon::Information);
}

void TfrmTioitopp::FillGrid()
{
    if (grdLista->rowCount() < ScoreRanks)
        SetUpGrid();
    const bool hasList = landora::HighScoreTable::HasList(ExerciseNumber);
    for (int rank = 1; rank <= ScoreRanks; ++rank) {
        const int row = rank - 1;
        const ScoreEntry entry = hasList ? HighScoreTable.At(ExerciseNumber, rank) : ScoreEntry {};
        SetCell(grdLista, row, 0, QString::number(rank));
        SetCell(grdLista, row, 1, FromCp1252(entry.Signature));
        if (entry.Score > 0) {
            SetCell(grdLista, row, 2, QString::number(ScorePercent(entry.Score)) + QStringLiteral(" %"));
            SetCell(grdLista, row, 3, QString::fromStdString(TimeText(ScoreSeconds(entry.Score))));
        } else {
            SetCell(grdLista, row, 2, QString());
            SetCell(grdLista, row, 3, QString());
        }
    }
}

void TfrmTioitopp::txtNySignaturExit()
{
    if (storingSignature_ || txtNySignatur->isHidden() || NewRank == 0)
        return;
    storingSignature_ = true;
    HighScoreTable.At(ExerciseNumber, NewRank).Signature = FileSignature(ToCp1252(txtNySignatur->text()));
    txtNySignatur->hide();
    FillGrid();
    storingSignature_ = false;
}

void TfrmTioitopp::SaveFile()
{
    if (keepFileAsItIs_) {
        ShowMessage(this,
            QString::fromLatin1(WriteErrorStart)
                + QStringLiteral("the file could not be read and no copy of it could be made, so it was left "
                                 "as it is."),
            MessageIcon::Information);
        return;
    }
    try {
        SaveScoreFile(FilePath, HighScoreTable);
    } catch (const Exception &e) {
        ShowMessage(
            this, QString::fromLatin1(WriteErrorStart) + QString::fromStdString(e.Message()), MessageIcon::Information);
    }
}

void TfrmTioitopp::cmdOKClick()
{
    if (!txtNySignatur->isHidden())
        txtNySignaturExit();
    SaveFile();
    hide();
    accept();
}

void TfrmTioitopp::showEvent(QShowEvent *event)
{
    ApplyTexts(this, state_.texts, state_.settings.Language);
    lblOvningsNamn->setText(FromCp1252(ExerciseName));
    Paint(Shape2, state_.colours.FrameColour);
    Paint(grdLista, state_.colours.FrameColour);
    QDialog::showEvent(event);
    if (!txtNySignatur->isHidden())
        txtNySignatur->setFocus();
}

void TfrmTioitopp::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        OpenHelp(this, state_.settings.Language, QString::fromLatin1(HelpSection::Scores));
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrmTioitopp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtNySignatur && event->type() == QEvent::FocusOut) {
        // Switching to another program is no leaving of the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtNySignaturExit();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace landora
