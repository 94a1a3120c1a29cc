// The kind of exercise whose window does not exist yet: listed in the menu,
// but asking it for a question is a fault of the caller.
#include "exercises/OvningMulti.h"

namespace landora {

namespace {
[[noreturn]] void Refuse(const COvning &exercise)
{
    throw ENotAvailable("Exercises of the kind \"" + exercise.Kind + "\" are not available yet.");
}
} // namespace

std::string COvningMulti::NextQuestion() { Refuse(*this); }
bool COvningMulti::IsRight(AnswerPoint) { Refuse(*this); }
void COvningMulti::BlinkTick() { Refuse(*this); }

} // namespace landora
