#include "windows/Ovningsformular.h"

#include <QKeySequence>
#include <QShortcut>

#include "data/ProgramState.h"
#include "data/ScoreValue.h"
#include "exercises/Ovning.h"
#include "map/Karta.h"
#include "platform/Shell.h"
#include "scores/ShowTopTen.h"

namespace landora {

// The pump the exercise and the map use: the window shows whatever was drawn
// so far, then pending events run.
class TOvningsformular::WindowPump : public IEventPump {
public:
    WindowPump(TOvningsformular *window, IEventPump *inner) : window_(window), inner_(inner) {}
    void ProcessEvents() override
    {
        if (!window_.isNull())
            window_->BeforeEventsRun();
        if (inner_ != nullptr)
            inner_->ProcessEvents();
    }
    void WaitForEvents() override
    {
        if (!window_.isNull())
            window_->BeforeEventsRun();
        if (inner_ != nullptr)
            inner_->WaitForEvents();
    }

private:
    QPointer<TOvningsformular> window_;
    IEventPump *inner_;
};

TOvningsformular::TOvningsformular(ProgramState &state, const ExerciseContext &context, ISound &sound,
                                   QWidget *owner, std::string folder)
    : QWidget(owner, Qt::Window), state_(state), sound_(sound), folder_(std::move(folder))
{
    pump_ = std::make_unique<WindowPump>(this, context.Events);
    context_ = std::make_unique<ExerciseContext>(context);
    context_->Events = pump_.get();

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &TOvningsformular::cmdHjalpClick);
}

void TOvningsformular::cmdAvslutaClick()
{
    CloseByPlayer();
}

void TOvningsformular::cmdToppClick()
{
    if (Busy() || exercise_ == nullptr)
        return;
    RunningScope running(this);
    ShowTopTen(*exercise_, ViewOnlyScore, this, state_, sound_);
}

void TOvningsformular::cmdHjalpClick()
{
    OpenHelp(this, state_.settings.Language, QString::fromLatin1(HelpSection::Playing));
}

TOvningsformular::~TOvningsformular()
{
    DetachExercise();
}

void TOvningsformular::AttachExercise(COvning *exercise)
{
    exercise_ = exercise;
    exercise->Map = map_.get();
    exercise->Context = context_.get();
}

void TOvningsformular::DetachExercise()
{
    if (exercise_ == nullptr)
        return;
    if (exercise_->Window == this)
        exercise_->Window = nullptr;
    if (map_ != nullptr && exercise_->Map == map_.get())
        exercise_->Map = nullptr;
    if (exercise_->Context == context_.get())
        exercise_->Context = nullptr;
}

TOvningsformular::RunningScope::RunningScope(TOvningsformular *window, Kind kind)
    : window_(window), guarding_(kind == Guarding)
{
    ++window->running_;
    if (guarding_)
        ++window->guard_;
}

TOvningsformular::RunningScope::~RunningScope()
{
    if (window_.isNull())
        return;
    if (guarding_)
        --window_->guard_;
    if (--window_->running_ == 0) {
        window_->AfterLastHandler();
        if (window_->releaseWanted_)
            window_->deleteLater();
    }
}

void TOvningsformular::Release()
{
    closed_ = true;
    StopTimers();
    hide();
    if (running_ > 0)
        releaseWanted_ = true;
    else
        deleteLater();
}

void TOvningsformular::CloseByPlayer()
{
    StopTimers();
    closed_ = true;
    close();
}

bool TOvningsformular::LetEventsRun(QPointer<TOvningsformular> &self, std::uint32_t run)
{
    Pump().ProcessEvents();
    if (!StillOpen(self) || exercise_ == nullptr)
        return false;
    return exercise_->RunId() == run && exercise_->Window == this;
}

} // namespace landora
