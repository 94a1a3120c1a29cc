#include "windows/OvningFlagga.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "data/Cp1252.h"
#include "data/ProgramState.h"
#include "data/ScoreValue.h"
#include "data/Services.h"
#include "exercises/MapSetup.h"
#include "map/Area.h"
#include "map/Karta.h"
#include "map/Ort.h"
#include "platform/ApplyTexts.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "scores/ShowTopTen.h"
#include "platform/Widgets.h"

namespace landora {

namespace {

constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Grey = RGB(192, 192, 192);
constexpr Colour Green = RGB(0, 255, 0);
constexpr int ClientWidth = 632;
constexpr int ClientHeight = 461;
// The frame of a cell without a picture.
constexpr int PlaceholderWidth = 100;
constexpr int PlaceholderHeight = 63;
// The flag's frame starts this far below the cell's top grid line.
constexpr int FlagTop = 8;

// Halves to even, as every pixel of the program.
int Round(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// Only a whole Windows bitmap is a flag: a file of another kind under a
// flag's name, an empty or a cut-off one reads as nothing.
QImage ReadFlag(const QString &path)
{
    const QImage image = LoadBitmap(path);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

// ---- the board's picture control ----

TFlagImage::TFlagImage(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TFlagImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Board);
}

void TFlagImage::mousePressEvent(QMouseEvent *event)
{
    // Any button answers.
    if (onMouseDown) {
        const QPoint p = event->position().toPoint();
        onMouseDown(p.x(), p.y());
    }
}

// ---- the window ----

TfrmOvningFlagga::TfrmOvningFlagga(ProgramState &state, const ExerciseContext &context, ISound &sound,
                                   QWidget *owner, std::string folder)
    : TOvningsformular(state, context, sound, owner, std::move(folder))
{
    setObjectName(QStringLiteral("TfrmOvningFlagga"));
    setWindowTitle(QStringLiteral("Landora"));
    // A fixed dialog-like window: the system menu and a minimise button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    SetBackground(this, Qt::white);
    setFont(ArialPixels(11));

    pnlFraga = Make<QFrame>(this, "pnlFraga");
    pnlFraga->setFrameShape(QFrame::Box);
    pnlFraga->setLineWidth(1);
    pnlFraga->setGeometry(-2, 0, 637, 31);
    // Positions in the bar count from its client area, inside its border.
    const QPoint bar = pnlFraga->contentsRect().topLeft();

    lblFraga = Make<QLabel>(pnlFraga, "lblFraga");
    lblFraga->setGeometry(bar.x() + 17, bar.y() + 4, 309, 21);
    lblFraga->setFont(ArialPixels(15, true));

    lblProcent = Make<QLabel>(pnlFraga, "lblProcent");
    lblProcent->setGeometry(bar.x() + 245, bar.y() + 4, 56, 20);
    lblProcent->setAlignment(Qt::AlignCenter);
    lblProcent->setText(QStringLiteral("0 %"));
    lblProcent->setFont(ArialPixels(15, true));
    SetTextColour(lblProcent, Qt::black);

    lblTid = Make<QLabel>(pnlFraga, "lblTid");
    lblTid->setGeometry(bar.x() + 296, bar.y() + 4, 49, 20);
    lblTid->setAlignment(Qt::AlignCenter);
    lblTid->setFont(ArialPixels(15, true));
    SetTextColour(lblTid, Qt::black);

    cmdTopp = Make<QPushButton>(pnlFraga, "cmdTopp");
    cmdTopp->setText(QStringLiteral("Tio-i-topp"));
    cmdTopp->setGeometry(bar.x() + 348, bar.y() + 2, 101, 25);
    SetTextTag(cmdTopp, 11);
    cmdStarta = Make<QPushButton>(pnlFraga, "cmdStarta");
    cmdStarta->setText(QStringLiteral("Starta om"));
    cmdStarta->setGeometry(bar.x() + 448, bar.y() + 2, 82, 25);
    SetTextTag(cmdStarta, 23);
    cmdHjalp = Make<QPushButton>(pnlFraga, "cmdHjalp");
    cmdHjalp->setText(QStringLiteral("?"));
    cmdHjalp->setGeometry(bar.x() + 531, bar.y() + 2, 27, 25);
    cmdAvsluta = Make<QPushButton>(pnlFraga, "cmdAvsluta");
    cmdAvsluta->setText(QStringLiteral("Avsluta"));
    cmdAvsluta->setGeometry(bar.x() + 558, bar.y() + 2, 63, 25);
    SetTextTag(cmdAvsluta, 12);
    // The question lies under the score and the time, which are drawn over it.
    lblFraga->lower();

    for (QPushButton *button : {cmdTopp, cmdStarta, cmdHjalp, cmdAvsluta})
        button->setFocusPolicy(Qt::NoFocus);
    connect(cmdTopp, &QPushButton::clicked, this, &TfrmOvningFlagga::cmdToppClick);
    connect(cmdStarta, &QPushButton::clicked, this, &TfrmOvningFlagga::cmdStartaClick);
    connect(cmdHjalp, &QPushButton::clicked, this, &TfrmOvningFlagga::cmdHjalpClick);
    connect(cmdAvsluta, &QPushButton::clicked, this, &TfrmOvningFlagga::cmdAvslutaClick);

    pnlFlags = Make<QFrame>(this, "pnlFlags");
    pnlFlags->setFrameShape(QFrame::Box);
    pnlFlags->setLineWidth(1);
    pnlFlags->setGeometry(12, 38, 609, 393);
    SetBackground(pnlFlags, Qt::white);

    imgFlags = Make<TFlagImage>(pnlFlags, "imgFlags");
    imgFlags->onMouseDown = [this](int x, int y) { imgFlagsMouseDown(x, y); };

    tmrRitaOm = MakeTimer(this, "tmrRitaOm", 1000);
    tmrBlinka = MakeTimer(this, "tmrBlinka", 1000);
    tmrTid = MakeTimer(this, "tmrTid", 1000);
    connect(tmrRitaOm, &QTimer::timeout, this, &TfrmOvningFlagga::tmrRitaOmTimer);
    connect(tmrBlinka, &QTimer::timeout, this, &TfrmOvningFlagga::tmrBlinkaTimer);
    connect(tmrTid, &QTimer::timeout, this, &TfrmOvningFlagga::tmrTidTimer);

}

TfrmOvningFlagga::~TfrmOvningFlagga() = default;

void TfrmOvningFlagga::BeforeEventsRun()
{
    imgFlags->update();
}

void TfrmOvningFlagga::AfterLastHandler()
{
    imgFlags->update();
}

void TfrmOvningFlagga::StopTimers()
{
    tmrRitaOm->stop();
    tmrBlinka->stop();
    tmrTid->stop();
}

void TfrmOvningFlagga::StartExercise(COvning *exercise)
{
    auto *flags = dynamic_cast<COvningFlagga *>(exercise);
    if (flags == nullptr)
        throw Exception("The flag window plays flag exercises only.");
    QPointer<TOvningsformular> self(this);
    RunningScope running(this);
    {
        WaitCursor wait;
        exercise_ = exercise;
        flagExercise_ = flags;
        Layout();
        LoadAreas();
        AttachExercise(exercise);
        exercise->Start(this);

        // Centred on the screen; shown only once the run has started.
        if (const QScreen *screen = QApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
        show();
        if (!LoadFlags())
            return;
        DrawFlags();
    }
    tmrTid->start();
}

void TfrmOvningFlagga::Layout()
{
    const QRect client = pnlFlags->contentsRect();
    imgFlags->setGeometry(client.left() + 5, client.top() + 5, client.width() - 10, client.height() - 10);
    CellWidth = static_cast<float>(imgFlags->width()) / 4.0f;
    CellHeight = static_cast<float>(imgFlags->height()) / 4.0f;
    imgFlags->Board = TemplateAtSize(state_.Template, imgFlags->width(), imgFlags->height());
    PaintGrid();
}

void TfrmOvningFlagga::LoadAreas()
{
    // The board needs the areas, for their names and flag files; no lakes
    // and no sea points.
    auto inFolder = [this](const std::string &name) {
        if (folder_.empty())
            return name;
        return folder_.back() == '/' ? folder_ + name : folder_ + "/" + name;
    };
    auto map = std::make_unique<CKarta>();
    map->Areas = std::make_unique<CAreor>();
    map->Waters = std::make_unique<CAreor>();
    map->Places = std::make_unique<COrter>();
    {
        // The place file is read, so that a missing or broken one fails the
        // start as it does in the other windows; but the board asks for no
        // place, so the map keeps an empty list and the run selects none
        // (selecting a world exercise's places costs more than the rest of
        // the start).
        COrter places;
        places.LoadFromFile(inFolder(PlaceFileName(exercise_->PlaceFileNumber)));
    }
    const MapFiles files = MapFilesFor(exercise_->MapNumber);
    if (!files.Areas.empty())
        map->Areas->LoadFromFile(inFolder(files.Areas));
    map->Events = &Pump();
    map_ = std::move(map);
}

void TfrmOvningFlagga::FormShow()
{
    ApplyTexts(this, state_.texts, state_.settings.Language);
    SetBackground(pnlFraga, ToQColor(state_.colours.PanelColour));
    // Shows as a five-pixel frame around the board.
    SetBackground(pnlFlags, ToQColor(state_.colours.FrameColour));
    lblTid->setVisible(state_.settings.ShowTimer);
}

void TfrmOvningFlagga::showEvent(QShowEvent *event)
{
    TOvningsformular::showEvent(event);
    if (!event->spontaneous() && !shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

// ---- what the exercise calls ----

void TfrmOvningFlagga::VisaFraga(const std::string &text)
{
    lblFraga->setText(FromCp1252(text));
}

void TfrmOvningFlagga::VisaProcent(int percent)
{
    lblProcent->setText(QString::number(percent) + QStringLiteral(" %"));
}

// ---- the board ----

void TfrmOvningFlagga::EmptySlots()
{
    for (int k = 1; k <= COvningFlagga::MaxFlags; ++k)
        Flags[k] = QImage();
}

bool TfrmOvningFlagga::LoadFlags()
{
    // A restart may have put other keys on the board: no slot keeps the
    // picture of the key it held before.
    EmptySlots();
    if (flagExercise_ == nullptr || map_ == nullptr || !map_->Areas)
        return true;
    QPointer<TOvningsformular> self(this);
    RunningScope running(this, RunningScope::Plain);
    const std::uint32_t run = exercise_->RunId();
    // The room under the grid line and above the name: a larger flag is
    // scaled down into it, so that nothing is drawn outside its cell.
    const int nameHeight = QFontMetrics(font()).height();
    const QSize room(static_cast<int>(CellWidth) - 4, static_cast<int>(CellHeight) - FlagTop - nameHeight - 2);
    const QString flagFolder =
        (folder_.empty() ? QString() : QFile::decodeName(folder_.c_str()) + QLatin1Char('/')) +
        QStringLiteral("flags/");

    // Only the cells on the board get a picture: the keys beyond them are
    // never shown, and a missing file among them must not be reported.
    for (int k = 1; k <= flagExercise_->FlagCount; ++k) {
        const CArea *area = map_->Areas->FindByKey(flagExercise_->Keys[k]);
        if (area == nullptr || area->FlagFile.empty())
            continue;
        QImage picture = ReadFlag(flagFolder + FromCp1252(area->FlagFile));
        if (picture.isNull()) {
            ShowMessage(this, QStringLiteral("Could not open flag file ") + FromCp1252(area->FlagFile),
                        MessageIcon::Error);
            // The box lets events run: the window may have gone, or a new run begun.
            if (!StillOpen(self) || exercise_ == nullptr || exercise_->RunId() != run || exercise_->Window != this)
                return false;
            continue;
        }
        if (room.isValid() && (picture.width() > room.width() || picture.height() > room.height()))
            picture = picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        Flags[k] = picture;
    }
    return true;
}

QRect TfrmOvningFlagga::CellInside(int cell) const
{
    const int k = (cell - 1) % 4;
    const int r = (cell - 1) / 4;
    const int left = Round(k * CellWidth) + 1;
    const int top = Round(r * CellHeight) + 1;
    const int right = Round((k + 1) * CellWidth) - 1;
    const int bottom = Round((r + 1) * CellHeight) - 1;
    return QRect(left, top, right - left, bottom - top);
}

int TfrmOvningFlagga::CellAt(int x, int y) const
{
    if (CellWidth <= 0.0f || CellHeight <= 0.0f || x < 0 || y < 0)
        return 0;
    return static_cast<int>(static_cast<float>(x) / CellWidth) + 1 +
           4 * static_cast<int>(static_cast<float>(y) / CellHeight);
}

void TfrmOvningFlagga::PaintGrid()
{
    QImage &board = imgFlags->Board;
    const int W = board.width();
    const int H = board.height();
    QPainter painter(&board);
    painter.fillRect(0, 0, W, H, ToQColor(Grey));
    // The outline and the grid lines, one pixel wide.
    painter.fillRect(0, 0, W, 1, Qt::black);
    painter.fillRect(0, H - 1, W, 1, Qt::black);
    painter.fillRect(0, 0, 1, H, Qt::black);
    painter.fillRect(W - 1, 0, 1, H, Qt::black);
    for (int i = 0; i <= 4; ++i) {
        painter.fillRect(0, Round(i * CellHeight), W, 1, Qt::black);
        painter.fillRect(Round(i * CellWidth), 0, 1, H, Qt::black);
    }
    imgFlags->update();
}

void TfrmOvningFlagga::DrawFlags()
{
    if (flagExercise_ == nullptr)
        return;
    for (int cell = 1; cell <= flagExercise_->FlagCount; ++cell)
        DrawFlagCell(cell, White, false);
}

void TfrmOvningFlagga::FillCell(int cell, Colour colour)
{
    if (!Flags.Contains(cell))
        return;
    QPainter painter(&imgFlags->Board);
    painter.fillRect(CellInside(cell), ToQColor(colour));
}

void TfrmOvningFlagga::DrawFlagCell(int cell, Colour colour, bool withName)
{
    if (!Flags.Contains(cell) || imgFlags->Board.isNull())
        return;
    FillCell(cell, colour);
    const int k = (cell - 1) % 4;
    const int r = (cell - 1) / 4;
    const int centre = Round((k + 0.5) * CellWidth);
    const int top = Round(r * CellHeight) + FlagTop;
    const QImage &picture = Flags[cell];
    const int w = picture.isNull() ? PlaceholderWidth : picture.width();
    const int h = picture.isNull() ? PlaceholderHeight : picture.height();
    const int left = centre - w / 2;
    const int right = left + w;
    const int bottom = top + h;

    const QRect inside = CellInside(cell);
    QPainter painter(&imgFlags->Board);
    painter.setClipRect(inside);
    if (!picture.isNull())
        painter.drawImage(left, top, picture);
    painter.fillRect(left, top, right - left, 1, Qt::black);
    painter.fillRect(left, bottom - 1, right - left, 1, Qt::black);
    painter.fillRect(left, top, 1, bottom - top, Qt::black);
    painter.fillRect(right - 1, top, 1, bottom - top, Qt::black);

    if (withName || picture.isNull()) {
        painter.setFont(font());
        painter.setPen(Qt::black);
        const QFontMetrics metrics(font());
        QString name = FromCp1252(flagExercise_ != nullptr ? flagExercise_->FlagName(cell) : std::string());
        name = metrics.elidedText(name, Qt::ElideRight, inside.width() - 2);
        // Under the frame, moved left as far as needed to stay in the cell.
        const int width = metrics.horizontalAdvance(name);
        const int x = std::max(inside.left() + 1, std::min(left, inside.right() + 1 - width));
        painter.drawText(x, bottom + metrics.ascent(), name);
    }
    imgFlags->update(inside);
}

// ---- handlers ----

void TfrmOvningFlagga::imgFlagsMouseDown(int x, int y)
{
    // A click that arrives while another one is answered (the answer lets
    // events run) is dropped, never judged twice.
    if (Busy() || Closed() || flagExercise_ == nullptr || exercise_->Window != this)
        return;
    COvningFlagga *exercise = flagExercise_;
    const int cell = CellAt(x, y);
    if (cell < 1 || cell > exercise->FlagCount || exercise->Asked[cell])
        return;
    QPointer<TOvningsformular> self(this);
    RunningScope running(this);
    LastClick = AnswerPoint{0.0f, 0.0f, cell};

    if (exercise->IsRight(LastClick)) {
        const std::uint32_t run = exercise->RunId();
        BlinkCount = 0;
        DrawFlagCell(cell, Grey, true);
        exercise->RightAnswer();
        if (!LetEventsRun(self, run))
            return;
        const std::string text = exercise->NextQuestion();
        if (!text.empty()) {
            VisaFraga(text);
            return;
        }
        EndOfRun();
        return;
    }

    DrawFlagCell(cell, White, true);
    // The name of the flag clicked before goes at once; a second click on the
    // same flag keeps its name up for a full second again.
    if (PendingCell != 0 && PendingCell != cell) {
        if (!exercise->Asked[PendingCell])
            DrawFlagCell(PendingCell, White, false);
        PendingCell = 0;
        tmrRitaOm->stop();
    }
    PendingCell = cell;
    tmrRitaOm->start();
    exercise->WrongAnswer(LastClick);
    if (exercise->Tries == 3) {
        tmrBlinka->start();
        BlinkCount = 1;
    }
}

void TfrmOvningFlagga::EndOfRun()
{
    VisaFraga({});
    tmrTid->stop();
    imgFlags->update();
    const std::int32_t score = PackScore(exercise_->Percent, Seconds);
    // Modal: the window may be closed or let go of meanwhile; nothing of it
    // is touched afterwards.
    ShowTopTen(*exercise_, score, this, state_, sound_);
}

void TfrmOvningFlagga::tmrRitaOmTimer()
{
    tmrRitaOm->stop();
    if (PendingCell == 0)
        return;
    // A flag found meanwhile keeps its grey and its name.
    if (flagExercise_ != nullptr && PendingCell <= flagExercise_->FlagCount && !flagExercise_->Asked[PendingCell])
        DrawFlagCell(PendingCell, White, false);
    PendingCell = 0;
}

void TfrmOvningFlagga::tmrBlinkaTimer()
{
    if (BlinkCount == 0 || Busy() || Closed() || flagExercise_ == nullptr || exercise_->Window != this)
        return;
    const int cell = flagExercise_->CurrentIndex;
    if (cell < 1 || cell > flagExercise_->FlagCount)
        return;
    QPointer<TOvningsformular> self(this);
    // A click or a restart that arrives while the tick lets events run is
    // handled as usual.
    RunningScope running(this, RunningScope::Plain);
    DrawFlagCell(cell, BlinkCount % 2 == 1 ? Green : White, false);
    ++BlinkCount;
    LetEventsRun(self, exercise_->RunId());
}

void TfrmOvningFlagga::tmrTidTimer()
{
    if (Seconds < 100000)
        ++Seconds;
    lblTid->setText(QString::fromStdString(TimeText(Seconds)));
}

void TfrmOvningFlagga::cmdStartaClick()
{
    if (Busy() || Closed() || flagExercise_ == nullptr || map_ == nullptr)
        return;
    QPointer<TOvningsformular> self(this);
    RunningScope running(this);
    {
        WaitCursor wait;
        tmrBlinka->stop();
        tmrRitaOm->stop();
        BlinkCount = 0;
        // The name waiting to be wiped belongs to the old run.
        PendingCell = 0;
        AttachExercise(exercise_);
        exercise_->Start(this);
        if (!LoadFlags())
            return;
        DrawFlags();
    }
    VisaProcent(0);
    lblTid->clear();
    Seconds = 0;
    tmrTid->start();
}

} // namespace landora
