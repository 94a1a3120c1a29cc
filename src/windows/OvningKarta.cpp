#include "windows/OvningKarta.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "platform/ApplyTexts.h"
#include "data/ProgramState.h"
#include "data/Cp1252.h"
#include "data/ScoreValue.h"
#include "data/Services.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "exercises/MapSetup.h"
#include "scores/ShowTopTen.h"
#include "windows/MapImage.h"
#include "platform/Widgets.h"

namespace landora {

namespace {

constexpr Colour White = RGB(255, 255, 255);

} // namespace

TfrmOvningKarta::TfrmOvningKarta(ProgramState &state, const ExerciseContext &context, ISound &sound, QWidget *owner,
                                 std::string folder)
    : TOvningsformular(state, context, sound, owner, std::move(folder))
{
    setObjectName(QStringLiteral("TfrmOvningKarta"));
    setWindowTitle(QStringLiteral("Landora"));
    SetBackground(this, QColor(192, 192, 192));
    setFont(ArialPixels(12));

    panPanel = Make<QFrame>(this, "panPanel");
    panPanel->setFrameShape(QFrame::NoFrame);
    SetBackground(panPanel, QColor(192, 192, 192));

    imgKarta = Make<TMapImage>(panPanel, "imgKarta");
    imgKarta->setEnabled(false);
    imgKarta->onMouseDown = [this](int x, int y, Qt::MouseButton) { imgKartaMouseDown(x, y); };
    imgKarta->onMouseMove = [this](int x, int y) { imgKartaMouseMove(x, y); };

    lblNamn = Make<QLabel>(panPanel, "lblNamn");
    lblNamn->hide();
    lblNamn->setAlignment(Qt::AlignCenter);
    lblNamn->setFont(ArialPixels(11));
    SetBackground(lblNamn, QColor(192, 192, 192), false);
    lblNamn->installEventFilter(this);

    lblText = Make<QLabel>(panPanel, "lblText");
    lblText->hide();
    SetBackground(lblText, QColor(230, 230, 230));
    lblText->setFont(QFont(QStringLiteral("Arial")));
    // The floating question never takes a click meant for the map.
    lblText->setAttribute(Qt::WA_TransparentForMouseEvents);

    lblYouTube = Make<QLabel>(panPanel, "lblYouTube");
    lblYouTube->hide();
    lblYouTube->setGeometry(0, 0, 450, 75);
    lblYouTube->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblYouTube->setFont(ArialPixels(67));
    SetBackground(lblYouTube, Qt::black);
    SetTextColour(lblYouTube, Qt::white);
    lblYouTube->setMouseTracking(true);
    lblYouTube->installEventFilter(this);

    panTop = Make<QFrame>(this, "panTop");
    panTop->hide();
    panTop->setFrameShape(QFrame::Box);
    panTop->setLineWidth(1);

    lblFraga = Make<QLabel>(panTop, "lblFraga");
    lblFraga->setAlignment(Qt::AlignCenter);
    lblFraga->setFont(ArialPixels(20));
    lblFraga->setFixedHeight(26);

    lblProcent = Make<QLabel>(panTop, "lblProcent");
    lblProcent->setText(QStringLiteral("0 %"));
    lblProcent->setFixedSize(67, 26);
    lblProcent->setFont(ArialPixels(20, true));
    SetTextColour(lblProcent, QColor(0, 0, 128));

    lblTid = Make<QLabel>(panTop, "lblTid");
    lblTid->setFixedSize(75, 26);
    lblTid->setFont(ArialPixels(20, true));
    SetTextColour(lblTid, QColor(0, 0, 128));

    cmdTopp = Make<QPushButton>(panTop, "cmdTopp");
    cmdTopp->setText(QStringLiteral("Tio-i-topp"));
    cmdTopp->resize(117, 25);
    SetTextTag(cmdTopp, 11);
    cmdStarta = Make<QPushButton>(panTop, "cmdStarta");
    cmdStarta->setText(QStringLiteral("Starta om"));
    cmdStarta->resize(97, 25);
    SetTextTag(cmdStarta, 23);
    cmdHjalp = Make<QPushButton>(panTop, "cmdHjalp");
    cmdHjalp->setText(QStringLiteral("?"));
    cmdHjalp->resize(27, 25);
    cmdAvsluta = Make<QPushButton>(panTop, "cmdAvsluta");
    cmdAvsluta->setText(QStringLiteral("Avsluta"));
    cmdAvsluta->resize(79, 25);
    SetTextTag(cmdAvsluta, 12);
    imgBlomma = Make<QLabel>(panTop, "imgBlomma");
    imgBlomma->resize(36, 31);
    imgBlomma->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (QPushButton *button : {cmdTopp, cmdStarta, cmdHjalp, cmdAvsluta})
        button->setFocusPolicy(Qt::NoFocus);
    connect(cmdTopp, &QPushButton::clicked, this, &TfrmOvningKarta::cmdToppClick);
    connect(cmdStarta, &QPushButton::clicked, this, &TfrmOvningKarta::cmdStartaClick);
    connect(cmdHjalp, &QPushButton::clicked, this, &TfrmOvningKarta::cmdHjalpClick);
    connect(cmdAvsluta, &QPushButton::clicked, this, &TfrmOvningKarta::cmdAvslutaClick);

    tmrBlinka = MakeTimer(this, "tmrBlinka", 700);
    tmrTid = MakeTimer(this, "tmrTid", 1000);
    tmrNamnTimer = MakeTimer(this, "tmrNamnTimer", 2000);
    connect(tmrBlinka, &QTimer::timeout, this, &TfrmOvningKarta::tmrBlinkaTimer);
    connect(tmrTid, &QTimer::timeout, this, &TfrmOvningKarta::tmrTidTimer);
    connect(tmrNamnTimer, &QTimer::timeout, this, &TfrmOvningKarta::tmrNamnTimerTimer);
    tmrBlinka->start();

}

void TfrmOvningKarta::BeforeEventsRun()
{
    imgKarta->update();
}

void TfrmOvningKarta::AfterLastHandler()
{
    imgKarta->update();
}

void TfrmOvningKarta::StopTimers()
{
    tmrBlinka->stop();
    tmrTid->stop();
}

void TfrmOvningKarta::StartExercise(COvning *exercise)
{
    QPointer<TOvningsformular> self(this);
    RunningScope running(this);
    Pump().ProcessEvents();
    if (!StillOpen(self))
        return;
    cmdAvsluta->setEnabled(false);
    exercise_ = exercise;

    showMaximized();
    move(0, 0);
    // The window system reports the maximised size through pending events.
    Pump().ProcessEvents();
    if (!StillOpen(self))
        return;
    // Without a window manager nobody maximises: take the screen ourselves.
    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        if (frameGeometry().width() < available.width() || frameGeometry().height() < available.height()) {
            setGeometry(available);
            Pump().ProcessEvents();
            if (!StillOpen(self))
                return;
        }
    }
    Layout();

    map_ = LoadMapForExercise(*exercise, folder_);
    map_->Events = &Pump();
    AttachExercise(exercise);
    lastQuestion_.clear();
    exercise->Start(this);
    if (!StillOpen(self))
        return;

    tmrBlinka->start();
    if (!LetEventsRun(self, exercise->RunId()) && !StillOpen(self))
        return;
    imgKarta->setEnabled(true);
    cmdAvsluta->setEnabled(true);
    StartClockOrEnd();
    lblYouTube->setVisible(state_.settings.BigTimer);
}

void TfrmOvningKarta::StartClockOrEnd()
{
    // A run whose first question is empty has nothing to ask: it ends at
    // once, with the clock stopped, and no click counts or sounds. Nothing
    // was asked, so there is no result for the top ten either.
    if (lastQuestion_.empty()) {
        VisaFraga("-");
        tmrTid->stop();
        exercise_->Finished = true;
        return;
    }
    tmrTid->start();
}

void TfrmOvningKarta::Layout()
{
    const int W = width();
    const int H = height();
    panTop->setGeometry(0, 0, W, 32);
    panTop->show();
    panPanel->setGeometry(0, 32, W, H - 32);
    // Positions in the bar count from its client area, inside its border.
    const QRect bar = panTop->contentsRect();
    const int Wb = bar.width();
    const int Hb = bar.height();
    const int x0 = bar.left();
    const int y0 = bar.top();

    cmdAvsluta->setGeometry(x0 + Wb - cmdAvsluta->width() - 2, y0 + 2, cmdAvsluta->width(), Hb - 4);
    cmdHjalp->setGeometry(cmdAvsluta->x() - cmdHjalp->width(), y0 + 2, cmdHjalp->width(), Hb - 4);
    cmdStarta->setGeometry(cmdHjalp->x() - cmdStarta->width(), y0 + 2, cmdStarta->width(), Hb - 4);
    lblProcent->move(x0 + 5, y0 + 2);
    lblTid->move(lblProcent->x() + lblProcent->width(), y0 + 2);
    cmdTopp->setGeometry(lblTid->x() + lblTid->width(), y0 + 2, cmdTopp->width(), Hb - 4);
    lblFraga->setFixedWidth(W);
    lblFraga->move(x0 + 2, y0 + 2);
    lblFraga->lower();

    imgKarta->setGeometry(2, 2, panPanel->width() - 4, panPanel->height() - 4);
    imgKarta->FitCanvas();
    imgBlomma->move(cmdAvsluta->x() - 32, y0 - 2);
    // The picture lies beneath the buttons, which must take every click.
    imgBlomma->lower();
    lblFraga->lower();

    // The map sits in a 2-pixel dark blue frame.
    SetBackground(panPanel, QColor(0, 0, 128));
    lblYouTube->move(0, 0);
    QFont textFont = lblText->font();
    textFont.setPointSize(state_.settings.BigTimer ? 25 : 15);
    lblText->setFont(textFont);
    lblTid->setVisible(state_.settings.ShowTimer);
    for (QWidget *w : {static_cast<QWidget *>(lblNamn), static_cast<QWidget *>(lblText),
                       static_cast<QWidget *>(lblYouTube)})
        w->raise();
    laidOut_ = true;
}

void TfrmOvningKarta::FormShow()
{
    ApplyTexts(this, state_.texts, state_.settings.Language);
    const QColor panel = ToQColor(state_.colours.PanelColour);
    SetBackground(panPanel, panel);
    SetBackground(panTop, panel);
}

void TfrmOvningKarta::showEvent(QShowEvent *event)
{
    TOvningsformular::showEvent(event);
    if (!event->spontaneous() && !laidOut_)
        FormShow();
}

void TfrmOvningKarta::changeEvent(QEvent *event)
{
    TOvningsformular::changeEvent(event);
    // The window is always maximised; the layout stays as computed at start.
    if (event->type() == QEvent::WindowStateChange && isVisible() && !Closed() &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && !Closed())
                showMaximized();
        });
    }
}

bool TfrmOvningKarta::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblNamn && event->type() == QEvent::MouseButtonPress) {
        lblNamnMouseDown(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        return true;
    }
    if (watched == lblYouTube && event->type() == QEvent::MouseMove) {
        lblYouTube->hide();
        return false;
    }
    return TOvningsformular::eventFilter(watched, event);
}

// ---- what the exercise calls ----

void TfrmOvningKarta::VisaFraga(const std::string &text)
{
    ShowNameLabel({}, 0, 0, White, White, false);
    lastQuestion_ = text;
    const QString question = FromCp1252(text);
    lblFraga->setText(question);
    if (text != "-") {
        lblText->setText(QStringLiteral(" ") + question + QStringLiteral(" "));
        lblText->adjustSize();
    } else {
        lblText->hide();
        lblText->clear();
    }
}

void TfrmOvningKarta::VisaProcent(int percent)
{
    lblProcent->setText(QString::number(percent) + QStringLiteral(" %"));
}

void TfrmOvningKarta::ShowNameLabel(const std::string &text, int x, int y, Colour, Colour, bool shown)
{
    lblNamn->setVisible(shown);
    lblNamn->setText(FromCp1252(text));
    lblNamn->adjustSize();
    lblNamn->resize(lblNamn->width() + 4, lblNamn->height());
    // Canvas pixels are device pixels; the label lives in logical ones.
    const double ratio = imgKarta->Ratio();
    const int lx = static_cast<int>(x / ratio);
    const int ly = static_cast<int>(y / ratio);
    lblNamn->move(lx + imgKarta->x() - lblNamn->width() / 2, ly + imgKarta->y() - lblNamn->height() / 2);
    if (shown) {
        tmrNamnTimer->start();
        lblNamn->setAutoFillBackground(true);
        lblNamn->raise();
    }
}

Canvas *TfrmOvningKarta::MapImage()
{
    return imgKarta->Surface();
}

// ---- handlers ----

void TfrmOvningKarta::imgKartaMouseDown(int x, int y)
{
    // A click that arrives while another one is being answered (the answer
    // lets events run) is dropped, never judged twice.
    if (Busy() || Closed() || exercise_ == nullptr || map_ == nullptr || !imgKarta->isEnabled() ||
        exercise_->Window != this)
        return;
    QPointer<TOvningsformular> self(this);
    RunningScope running(this);
    COvning *exercise = exercise_;
    LastClick = AnswerPoint{map_->YToLatitude(y), map_->PointToLongitude(y, x), 0};

    if (exercise->Finished || !exercise->IsRight(LastClick)) {
        exercise->WrongAnswer(LastClick);
        return;
    }
    const std::uint32_t run = exercise->RunId();
    exercise->BlinkState = 0;
    exercise->RightAnswer();
    if (!LetEventsRun(self, run))
        return;
    const std::string text = exercise->NextQuestion();
    if (!text.empty()) {
        VisaFraga(text);
        return;
    }
    EndOfRun(self);
}

void TfrmOvningKarta::EndOfRun(QPointer<TOvningsformular> &self)
{
    imgKarta->setEnabled(false);
    VisaFraga("-");
    tmrTid->stop();
    imgKarta->update();
    const std::int32_t score = PackScore(exercise_->Percent, Seconds);
    COvning *exercise = exercise_;
    ShowTopTen(*exercise, score, this, state_, sound_);
    // The exercise is marked finished also when the window went meanwhile,
    // so that it counts nothing more in this run.
    exercise->Finished = true;
    if (self.isNull())
        return;
    imgKarta->setEnabled(true);
}

void TfrmOvningKarta::imgKartaMouseMove(int x, int y)
{
    if (!lblText->text().isEmpty()) {
        lblText->show();
        lblText->move(x + imgKarta->x() + 15, y + imgKarta->y() + 15);
    }
    if (y > lblYouTube->height() || x > lblYouTube->width())
        lblYouTube->setVisible(state_.settings.BigTimer);
    else
        lblYouTube->hide();
}

void TfrmOvningKarta::lblNamnMouseDown(const QPoint &globalPosition)
{
    ShowNameLabel({}, 0, 0, White, White, false);
    const QPoint local = imgKarta->mapFromGlobal(globalPosition);
    const double ratio = imgKarta->Ratio();
    imgKartaMouseDown(static_cast<int>(local.x() * ratio), static_cast<int>(local.y() * ratio));
}

void TfrmOvningKarta::cmdStartaClick()
{
    if (Busy() || Closed() || exercise_ == nullptr || map_ == nullptr)
        return;
    QPointer<TOvningsformular> self(this);
    RunningScope running(this);
    cmdAvsluta->setEnabled(false);
    {
        WaitCursor wait;
        AttachExercise(exercise_);
        lastQuestion_.clear();
        exercise_->Start(this);
    }
    if (!StillOpen(self))
        return;
    VisaProcent(0);
    cmdAvsluta->setEnabled(true);
    lblTid->clear();
    Seconds = 0;
    StartClockOrEnd();
}

void TfrmOvningKarta::tmrBlinkaTimer()
{
    // A tick during an answer or a start is skipped; a tick during a tick too.
    // The tick does not guard: a click, a restart or a top-ten click that
    // arrives while it lets events run is handled as usual.
    if (Busy() || blinking_ || Closed() || exercise_ == nullptr || exercise_->Window != this)
        return;
    QPointer<TOvningsformular> self(this);
    RunningScope running(this, RunningScope::Plain);
    blinking_ = true;
    const std::uint32_t run = exercise_->RunId();
    exercise_->BlinkTick();
    LetEventsRun(self, run);
    if (!self.isNull())
        blinking_ = false;
}

void TfrmOvningKarta::tmrTidTimer()
{
    if (Seconds < 100000)
        ++Seconds;
    const QString time = QString::fromStdString(TimeText(Seconds));
    lblTid->setText(time);
    lblYouTube->setText(QStringLiteral(" ") + lblProcent->text() + QStringLiteral("   ") + time + QStringLiteral(" "));
}

void TfrmOvningKarta::tmrNamnTimerTimer()
{
    lblNamn->setAutoFillBackground(false);
    tmrNamnTimer->stop();
}

} // namespace landora
