#pragma once
// The map window: a map over almost the whole screen, a thin bar on top with
// the question, the score, the time and four buttons. Clicks on the map become
// geographic points that the exercise judges.
#include <QPointer>
#include <cstdint>
#include <memory>

#include "exercises/Ovning.h"
#include "windows/Ovningsformular.h"

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace landora {

class CKarta;
class ISound;
class TMapImage;
struct ExerciseContext;
struct ProgramState;

class TfrmOvningKarta : public TOvningsformular, public IKartformular {
    Q_OBJECT

public:
    // `owner` is the main menu; the map data are read from `folder` (empty:
    // the current directory, which the main menu made the program folder).
    TfrmOvningKarta(ProgramState &state, const ExerciseContext &context, ISound &sound, QWidget *owner,
                    std::string folder = {});

    // Lays the window out, loads the exercise's map, starts the run and shows
    // the window maximised. Loading failures propagate as exceptions.
    void StartExercise(COvning *exercise) override;

    // ---- what the exercise calls ----
    void VisaFraga(const std::string &text) override;
    void VisaProcent(int percent) override;
    void ShowNameLabel(const std::string &text, int x, int y, Colour colour1, Colour colour2, bool shown) override;
    Canvas *MapImage() override;

    // ---- controls ----
    QFrame *panPanel;
    TMapImage *imgKarta;
    QLabel *lblNamn;
    QLabel *lblText;
    QLabel *lblYouTube;
    QFrame *panTop;
    QLabel *lblFraga;
    QLabel *lblProcent;
    QLabel *lblTid;
    QPushButton *cmdTopp;
    QPushButton *cmdStarta;
    QPushButton *cmdHjalp;
    QPushButton *cmdAvsluta;
    QLabel *imgBlomma;
    QTimer *tmrBlinka;
    QTimer *tmrTid;
    QTimer *tmrNamnTimer;

    // ---- handlers ----
    // (x, y) in canvas pixels of the map image.
    void imgKartaMouseDown(int x, int y);
    // (x, y) in logical pixels of the map image.
    void imgKartaMouseMove(int x, int y);
    void lblNamnMouseDown(const QPoint &globalPosition);
    void cmdStartaClick();
    void tmrBlinkaTimer();
    void tmrTidTimer();
    void tmrNamnTimerTimer();

    std::int32_t Seconds = 0;
    AnswerPoint LastClick;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    void BeforeEventsRun() override;
    void AfterLastHandler() override;
    void StopTimers() override;

private:
    void FormShow();
    void Layout();
    void EndOfRun(QPointer<TOvningsformular> &self);
    void StartClockOrEnd();

    std::string lastQuestion_;
    bool laidOut_ = false;
    bool blinking_ = false;
};

} // namespace landora
