#pragma once
#include <optional>
#include <ostream>

namespace landora {

// Answers "--version" and "--help" (also "-h") on standard output before any
// window or display is touched, so that both work on a machine without one.
// Gives the exit code when the program ends there, nothing when it goes on;
// every other argument is left to Qt.
std::optional<int> AnswerCommandLine(int argc, const char *const argv[], std::ostream &out);

} // namespace landora
