#pragma once
// Opening the top ten of an exercise: at the end of a run with its packed
// score, or from an exercise window's top-ten button with -1 to look only.
#include <cstdint>

class QWidget;

namespace landora {

class COvning;
class ISound;
struct ProgramState;

inline constexpr std::int32_t ViewOnlyScore = -1;

// Shows the top-ten window of `exercise` modally, owned by `owner`, with the
// exercise's title in the current language, inserting `score` unless it is
// -1, and destroys it when it closes. Uses the score file chosen at start
// (chosen here when the start did not).
void ShowTopTen(const COvning &exercise, std::int32_t score, QWidget *owner, ProgramState &state, ISound &sound);

} // namespace landora
