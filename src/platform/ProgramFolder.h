#pragma once
#include <string>

namespace landora {

// The folder of the running program, without a trailing separator: the
// shipped data set lies there. Empty when the path has no separator.
std::string ProgramFolder();
// Joins the program folder and a file name with "/".
std::string InProgramFolder(const std::string &name);

} // namespace landora
