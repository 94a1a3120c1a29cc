#pragma once
// The base of the exercise windows. The exercise object talks back to the
// window that plays it through VisaFraga and VisaProcent; the base keeps what
// every exercise window needs to stay safe while its handlers let pending
// events run: a click, a tick, a close or the main menu letting go of the
// window may all arrive in the middle of another handler.
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "data/Services.h"
#include "exercises/Ovningsformular.h"

namespace landora {

class CKarta;
class COvning;
struct ProgramState;

class TOvningsformular : public QWidget, public IOvningsformular {
    Q_OBJECT

public:
    // `owner` is the main menu; data files are read from `folder` (empty: the
    // current directory, which the main menu made the program folder).
    TOvningsformular(ProgramState &state, const ExerciseContext &context, ISound &sound, QWidget *owner,
                     std::string folder);
    ~TOvningsformular() override;

    // Lays the window out, loads the exercise's data, starts the run and shows
    // the window. Loading failures propagate as exceptions.
    virtual void StartExercise(COvning *exercise) = 0;

    COvning *Exercise() const { return exercise_; }
    CKarta *Map() const { return map_.get(); }
    // True while an answer, a start or a restart is being handled: a click of
    // the player that would judge or restart is dropped then, never judged
    // twice. Blink ticks and other handlers that merely let events run do not
    // count.
    bool Busy() const { return guard_ > 0; }
    // True once the window was closed or let go of by the main menu.
    bool Closed() const { return closed_; }
    // The main menu lets go of the window: it is hidden at once and deleted
    // once no handler of it is running any more.
    void Release();

protected:
    // Marks a handler as running. The window is deleted after the last one
    // ends, never while one still runs. A guarding scope also makes Busy()
    // true, so that clicks arriving meanwhile are dropped.
    class RunningScope {
    public:
        enum Kind { Plain, Guarding };
        explicit RunningScope(TOvningsformular *window, Kind kind = Guarding);
        ~RunningScope();
        RunningScope(const RunningScope &) = delete;
        RunningScope &operator=(const RunningScope &) = delete;

    private:
        QPointer<TOvningsformular> window_;
        bool guarding_;
    };

    // Lets pending events run through the window's pump; false when this
    // window was closed meanwhile or its run was taken over (a restart, or
    // another window took the exercise), so the caller must stop.
    bool LetEventsRun(QPointer<TOvningsformular> &self, std::uint32_t run);
    // True while `self` still lives and was neither closed nor released.
    bool StillOpen(const QPointer<TOvningsformular> &self) const { return !self.isNull() && !closed_; }
    // Closing by the player: the window's timers stop and it is hidden; the
    // main menu deletes it when it becomes active again.
    void CloseByPlayer();

    // What the pump does before pending events run, and what follows the
    // last running handler: the windows repaint what was drawn so far.
    virtual void BeforeEventsRun() {}
    virtual void AfterLastHandler() {}
    // Stops every timer of the window; Release and closing call it.
    virtual void StopTimers() {}

    // The exercise's view of this window's services: the pump is the window's own.
    ExerciseContext &Context() { return *context_; }
    IEventPump &Pump() { return *context_->Events; }
    // Hands the window's map and services to the exercise for a run.
    void AttachExercise(COvning *exercise);

    // The buttons every exercise window has. "Avsluta" closes as the player
    // would; the top ten is shown view only, never between a click and its
    // judging; the help opens where it tells how to play, as F1 does from any
    // control of the window.
    void cmdAvslutaClick();
    void cmdToppClick();
    void cmdHjalpClick();

    ProgramState &state_;
    ISound &sound_;
    std::string folder_;
    COvning *exercise_ = nullptr;
    std::unique_ptr<CKarta> map_;

private:
    class WindowPump;
    // The exercise outlives the window (the catalogue owns it): it must not
    // keep pointing at a window, map or context that are gone.
    void DetachExercise();

    std::unique_ptr<WindowPump> pump_;
    std::unique_ptr<ExerciseContext> context_;
    int running_ = 0;
    int guard_ = 0;
    bool closed_ = false;
    bool releaseWanted_ = false;
};

} // namespace landora
