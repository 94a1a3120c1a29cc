#include "windows/OvningMulti.h"

#include "data/Cp1252.h"
#include "data/ProgramState.h"
#include "data/ScoreValue.h"
#include "exercises/MapSetup.h"
#include "map/Karta.h"
#include "map/Ort.h"
#include "platform/ApplyTexts.h"
#include "scores/ShowTopTen.h"
#include "platform/Widgets.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace landora {

namespace {

QLabel *MakeLabel(QWidget *parent, const char *name, QRect geometry, const QFont &font, const QColor &colour)
{
    auto *label = Make<QLabel>(parent, name, geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    SetTextColour(label, colour);
    // Labels lie over the card; a click goes through to what is beneath.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

// A filled rectangle with a black one-pixel outline.
class TShape : public QWidget {
public:
    using QWidget::QWidget;
    QColor fill = QColor(0, 0, 128);

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), fill);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

// ---- answer boxes ----

TAnswerImage::TAnswerImage(QWidget *parent)
    : QWidget(parent)
{
}

void TAnswerImage::Paint(const QColor &colour, const QString &text)
{
    picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(colour);
    QPainter painter(&picture_);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, width() - 1, height() - 1);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    // Centred, halves truncated toward zero.
    const int left = (width() - metrics.horizontalAdvance(text)) / 2;
    const int top = (height() - metrics.height()) / 2;
    painter.drawText(left, top + metrics.ascent(), text);
    painter.end();
    update();
}

void TAnswerImage::paintEvent(QPaintEvent *)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void TAnswerImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && onClick)
        onClick();
}

// ---- the window ----

TfrmOvningMulti::TfrmOvningMulti(
    ProgramState &state, const ExerciseContext &context, ISound &sound, QWidget *owner, std::string folder)
    : TOvningsformular(state, context, sound, owner, std::move(folder))
{
    setObjectName(QStringLiteral("TfrmOvningMulti"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
        | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Landora"));
    SetTextTag(this, 17);
    setFixedSize(632, 465);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(ArialPixels(12));
    setFocusPolicy(Qt::StrongFocus);

    const std::string picturesFolder = folder_.empty() ? std::string(".") : folder_;
    imgBlomma = Make<QLabel>(this, "imgBlomma", { 296, 6, 37, 37 });
    imgBlomma->setPixmap(QPixmap(QString::fromStdString(picturesFolder + "/multi_flower.png")));
    imgBlomma->installEventFilter(this);
    imgBar = Make<QLabel>(this, "imgBar", { 301, 6, 37, 37 });
    imgBar->setPixmap(QPixmap(QString::fromStdString(picturesFolder + "/multi_berries.png")));
    imgBar->hide();

    Panel1 = Make<QFrame>(this, "Panel1", { 168, 48, 299, 361 });
    Panel1->setFrameShape(QFrame::Box);
    Panel1->setLineWidth(1);
    Panel1->setAutoFillBackground(true);
    Shape1 = Make<TShape>(Panel1, "Shape1", { 8, 8, 281, 305 });

    lblCount = MakeLabel(Panel1, "lblCount", { 10, 12, 275, 21 }, ArialPixels(11), Qt::white);
    lblCount->setWordWrap(true);
    Label1 = MakeLabel(Panel1, "Label1", { 10, 40, 275, 59 }, ArialPixels(15, true), Qt::white);
    Label1->setWordWrap(true);

    const int boxTops[4] = { 106, 154, 202, 250 };
    const int numberTops[4] = { 112, 162, 210, 256 };
    TAnswerImage **boxes[4] = { &imgSvar1, &imgSvar2, &imgSvar3, &imgSvar4 };
    QLabel **numbers[4] = { &lbl1, &lbl2, &lbl3, &lbl4 };
    for (int i = 0; i < 4; ++i) {
        const QByteArray boxName = "imgSvar" + QByteArray::number(i + 1);
        const QByteArray numberName = "lbl" + QByteArray::number(i + 1);
        *boxes[i] = Make<TAnswerImage>(Panel1, boxName.constData(), { 54, boxTops[i], 211, 41 });
        (*boxes[i])->onClick = [this, i] { imgSvarClick(i + 1); };
        *numbers[i] = MakeLabel(
            Panel1, numberName.constData(), { 22, numberTops[i], 27, 25 }, ArialPixels(19, true), QColor(255, 255, 0));
        (*numbers[i])->setText(QString::number(i + 1));
    }

    lblProcent = MakeLabel(Panel1, "lblProcent", { 130, 317, 59, 19 }, ArialPixels(15, true), Qt::black);
    lblProcent->setText(QStringLiteral("0 %"));
    lblTid = MakeLabel(Panel1, "lblTid", { 130, 336, 59, 19 }, ArialPixels(12), Qt::black);

    cmdTopp = Make<QPushButton>(Panel1, "cmdTopp", { 8, 318, 117, 35 });
    cmdTopp->setText(QStringLiteral("Tio-i-topp"));
    SetTextTag(cmdTopp, 11);
    cmdAvsluta = Make<QPushButton>(Panel1, "cmdAvsluta", { 188, 318, 101, 35 });
    cmdAvsluta->setText(QStringLiteral("Avsluta"));
    SetTextTag(cmdAvsluta, 12);
    // The keys 1 to 4 belong to the window, whichever button was pressed last.
    for (QPushButton *button : { cmdTopp, cmdAvsluta })
        button->setFocusPolicy(Qt::NoFocus);
    connect(cmdTopp, &QPushButton::clicked, this, &TfrmOvningMulti::cmdToppClick);
    connect(cmdAvsluta, &QPushButton::clicked, this, &TfrmOvningMulti::cmdAvslutaClick);

    tmrTimer = MakeTimer(this, "tmrTimer", 1000);
    tmrTid = MakeTimer(this, "tmrTid", 1000);
    connect(tmrTimer, &QTimer::timeout, this, &TfrmOvningMulti::tmrTimerTimer);
    connect(tmrTid, &QTimer::timeout, this, &TfrmOvningMulti::tmrTidTimer);

}

TAnswerImage *TfrmOvningMulti::Box(int index) const
{
    switch (index) {
    case 1:
        return imgSvar1;
    case 2:
        return imgSvar2;
    case 3:
        return imgSvar3;
    case 4:
        return imgSvar4;
    default:
        return nullptr;
    }
}

void TfrmOvningMulti::StopTimers()
{
    tmrTimer->stop();
    tmrTid->stop();
}

void TfrmOvningMulti::StartExercise(COvning *exercise)
{
    QPointer<TOvningsformular> self(this);
    RunningScope running(this);
    exercise_ = exercise;
    RunOver = false;
    map_ = LoadPlacesAndAreas(*exercise, folder_);
    map_->Events = &Pump();
    AttachExercise(exercise);
    exercise->Start(this);
    if (!StillOpen(self))
        return;
    // A run without a question is over before it begins: nothing to choose,
    // no time to count.
    if (Label1->text().isEmpty())
        RunOver = true;
    else
        tmrTid->start();
    show();
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    activateWindow();
}

void TfrmOvningMulti::FormShow()
{
    ApplyTexts(this, state_.texts, state_.settings.Language);
    static_cast<TShape *>(Shape1)->fill = ToQColor(state_.colours.FrameColour);
    Shape1->update();
    lblTid->setVisible(state_.settings.ShowTimer);
}

void TfrmOvningMulti::showEvent(QShowEvent *event)
{
    TOvningsformular::showEvent(event);
    if (!event->spontaneous() && !shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TfrmOvningMulti::closeEvent(QCloseEvent *event)
{
    // The close box ends the run as "Avsluta" does: a pause waiting for the
    // stopped timer must learn that the window went.
    if (!Closed())
        CloseByPlayer();
    TOvningsformular::closeEvent(event);
}

void TfrmOvningMulti::keyPressEvent(QKeyEvent *event)
{
    // The digits of the main keyboard only, not those of the keypad.
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_4 && !(event->modifiers() & Qt::KeypadModifier)) {
        imgSvarClick(key - Qt::Key_1 + 1);
        return;
    }
    TOvningsformular::keyPressEvent(event);
}

bool TfrmOvningMulti::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == imgBlomma && event->type() == QEvent::MouseButtonPress) {
        imgBlommaClick();
        return true;
    }
    return TOvningsformular::eventFilter(watched, event);
}

// ---- what the exercise calls ----

void TfrmOvningMulti::VisaFraga(const std::string &text)
{
    Label1->setText(FromCp1252(text));
    const std::int32_t questions = map_ != nullptr && map_->Places ? map_->Places->SelectedCount : 0;
    const std::int32_t asked = exercise_ != nullptr ? exercise_->AskedCount : 0;
    lblCount->setText(QString::number(asked) + QStringLiteral(" (") + QString::number(questions) + QStringLiteral(")"));
}

void TfrmOvningMulti::VisaProcent(int percent)
{
    lblProcent->setText(QString::number(percent) + QStringLiteral(" %"));
}

IAnswerImage *TfrmOvningMulti::AnswerImage(int index)
{
    return Box(index);
}

void TfrmOvningMulti::PaintAnswer(IAnswerImage *image, Colour colour, const std::string &text)
{
    if (auto *box = dynamic_cast<TAnswerImage *>(image))
        box->Paint(ToQColor(colour), FromCp1252(text));
}

// ---- handlers ----

void TfrmOvningMulti::imgSvarClick(int n)
{
    // Refused: during the green pause (the timer runs), after the end, and
    // while another choice is handled, until its next question is painted.
    if (Busy() || Closed() || RunOver || tmrTimer->isActive() || exercise_ == nullptr || exercise_->Window != this)
        return;
    QPointer<TOvningsformular> self(this);
    RunningScope running(this);
    COvning *exercise = exercise_;
    LastChoice.Index = n;
    if (!exercise->IsRight(LastChoice)) {
        exercise->WrongAnswer(LastChoice);
        return;
    }
    const std::uint32_t run = exercise->RunId();
    tmrTimer->start();
    exercise->RightAnswer();
    if (!StillOpen(self) || exercise->RunId() != run || exercise->Window != this)
        return;
    tmrTimer->stop();
    if (!LetEventsRun(self, run))
        return;
    const std::string text = exercise->NextQuestion();
    if (!text.empty()) {
        VisaFraga(text);
        return;
    }
    EndOfRun();
}

void TfrmOvningMulti::EndOfRun()
{
    RunOver = true;
    tmrTimer->stop();
    tmrTid->stop();
    const std::int32_t score = PackScore(exercise_->Percent, Seconds);
    ShowTopTen(*exercise_, score, this, state_, sound_);
}

void TfrmOvningMulti::imgBlommaClick()
{
    imgBlomma->hide();
    imgBar->show();
}

void TfrmOvningMulti::tmrTimerTimer()
{
    if (exercise_ != nullptr && exercise_->Window == this)
        exercise_->BlinkTick();
}

void TfrmOvningMulti::tmrTidTimer()
{
    if (Seconds < 100000)
        ++Seconds;
    lblTid->setText(QString::fromStdString(TimeText(Seconds)));
}

} // namespace landora
