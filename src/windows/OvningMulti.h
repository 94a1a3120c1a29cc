#pragma once
// The multiple-choice window: a dark card in a small white window with the
// question, the question count and four answer boxes numbered 1 to 4. The
// player clicks a box or presses 1 to 4; a right answer stands green for a
// second before the next question follows.
#include "exercises/Ovning.h"
#include "exercises/Ovningsformular.h"
#include "windows/Ovningsformular.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace landora {

class ISound;
struct ExerciseContext;
struct ProgramState;

// One answer box: a picture the exercise paints through PaintAnswer.
class TAnswerImage : public QWidget, public IAnswerImage {
public:
    explicit TAnswerImage(QWidget *parent);
    // What PaintAnswer drew last, at the box's size.
    const QImage &Picture() const { return picture_; }
    void Paint(const QColor &colour, const QString &text);
    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage picture_;
};

class TfrmOvningMulti : public TOvningsformular, public IMultiformular {
    Q_OBJECT

public:
    // `owner` is the main menu; the place and area files are read from
    // `folder` (empty: the current directory, the program folder).
    TfrmOvningMulti(
        ProgramState &state, const ExerciseContext &context, ISound &sound, QWidget *owner, std::string folder = {});

    // Loads the exercise's places and areas, starts the run (the first
    // question is painted) and shows the window. Loading failures propagate.
    void StartExercise(COvning *exercise) override;

    // ---- what the exercise calls ----
    void VisaFraga(const std::string &text) override;
    void VisaProcent(int percent) override;
    IAnswerImage *AnswerImage(int index) override;
    void PaintAnswer(IAnswerImage *image, Colour colour, const std::string &text) override;
    bool StillPlaying() const override { return !Closed(); }

    // ---- controls ----
    QLabel *imgBlomma;
    QLabel *imgBar;
    QFrame *Panel1;
    QWidget *Shape1;
    QLabel *lblCount;
    QLabel *Label1;
    TAnswerImage *imgSvar1;
    TAnswerImage *imgSvar2;
    TAnswerImage *imgSvar3;
    TAnswerImage *imgSvar4;
    QLabel *lbl1;
    QLabel *lbl2;
    QLabel *lbl3;
    QLabel *lbl4;
    QLabel *lblProcent;
    QLabel *lblTid;
    QPushButton *cmdTopp;
    QPushButton *cmdAvsluta;
    QTimer *tmrTimer;
    QTimer *tmrTid;

    // ---- handlers ----
    // A click on answer box n or the key n (1..4).
    void imgSvarClick(int n);
    void imgBlommaClick();
    void tmrTimerTimer();
    void tmrTidTimer();

    AnswerPoint LastChoice;
    bool RunOver = false;
    std::int32_t Seconds = 0;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void StopTimers() override;

private:
    void FormShow();
    void EndOfRun();
    TAnswerImage *Box(int index) const;

    bool shownOnce_ = false;
};

} // namespace landora
