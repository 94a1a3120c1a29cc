#include "scores/ShowTopTen.h"

#include "platform/ProgramFolder.h"
#include "data/ProgramState.h"
#include "exercises/Ovning.h"
#include "scores/Tioitopp.h"

#include <memory>

namespace landora {

void ShowTopTen(const COvning &exercise, std::int32_t score, QWidget *owner, ProgramState &state, ISound &sound)
{
    if (state.ScoreFilePath.empty())
        state.ScoreFilePath = ChooseScoreFilePath(WritableProgramFolder());
    auto form = std::make_unique<TfrmTioitopp>(state, sound, owner);
    form->ExerciseNumber = exercise.Number;
    form->ExerciseName = exercise.Title(state.settings.Language);
    form->LoadAndInsert(state.ScoreFilePath, score);
    form->exec();
}

} // namespace landora
