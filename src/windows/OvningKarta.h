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
    ~TfrmOvningKarta() override;

    // Lays the window out, loads the exercise's map, starts the run and shows
    // the window maximised. Loading failures propagate as exceptions.
    void StartExercise(COvning *exercise);

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
    void cmdAvslutaClick();
    void cmdToppClick();
    void cmdHjalpClick();
    void cmdStartaClick();
    void tmrBlinkaTimer();
    void tmrTidTimer();
    void tmrNamnTimerTimer();

    std::int32_t Seconds = 0;
    AnswerPoint LastClick;
    COvning *Exercise() const { return exercise_; }
    CKarta *Map() const { return map_.get(); }
    // True while a handler that lets events run or opens a box is running:
    // map clicks, restarts, top-ten clicks and blink ticks are dropped then.
    bool Busy() const { return busy_ > 0; }
    // The main menu lets go of the window: it is hidden at once and deleted
    // once no handler of it is running any more.
    void Release();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class BusyScope;
    class WindowPump;
    friend class BusyScope;

    void FormShow();
    void Layout();
    // Lets pending events run; false when this window was closed meanwhile or
    // its run was taken over, so the caller must stop.
    bool LetEventsRun(QPointer<TfrmOvningKarta> &self, std::uint32_t run);
    void EndOfRun(QPointer<TfrmOvningKarta> &self);
    void ReleaseExercise();

    ProgramState &state_;
    std::unique_ptr<WindowPump> pump_;
    std::unique_ptr<ExerciseContext> context_;
    ISound &sound_;
    std::string folder_;
    COvning *exercise_ = nullptr;
    std::unique_ptr<CKarta> map_;
    int busy_ = 0;
    bool closed_ = false;
    bool releaseWanted_ = false;
    bool laidOut_ = false;
};

} // namespace landora
