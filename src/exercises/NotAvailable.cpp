// The two kinds of exercise whose windows do not exist yet: listed in the
// menu, but asking them for a question is a fault of the caller.
#include "exercises/OvningFlagga.h"
#include "exercises/OvningMulti.h"

namespace landora {

namespace {
[[noreturn]] void Refuse(const COvning &exercise)
{
    throw ENotAvailable("Exercises of the kind \"" + exercise.Kind + "\" are not available yet.");
}
} // namespace

std::string COvningFlagga::NextQuestion() { Refuse(*this); }
bool COvningFlagga::IsRight(AnswerPoint) { Refuse(*this); }
void COvningFlagga::BlinkTick() { Refuse(*this); }

std::string COvningMulti::NextQuestion() { Refuse(*this); }
bool COvningMulti::IsRight(AnswerPoint) { Refuse(*this); }
void COvningMulti::BlinkTick() { Refuse(*this); }

} // namespace landora
