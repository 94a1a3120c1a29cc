#pragma once
#include <string>

namespace landora {

// Where the program finds its data set. A build tree and a portable copy keep
// it beside the executable; an installed copy keeps it in share/landora under
// the executable's prefix (<prefix>/bin/landora, <prefix>/share/landora).
struct ProgramLocation {
    std::string Folder;     // without a trailing separator
    bool Installed = false; // Folder is an installed copy's share folder
};

// The data set's catalogue: where it lies, the data set lies.
inline constexpr const char *DataSetMarker = "Ovning.crp";

// Looks for the data set beside the executable, then under its prefix. When
// neither holds it, the executable's own folder, where the missing files are
// then reported as they are read.
ProgramLocation LocateProgramFolder(const std::string &executableFolder);

// The program folder of the running program, without a trailing separator:
// the shipped data set lies there. Empty when the path has no separator.
std::string ProgramFolder();
// Joins the program folder and a file name with "/".
std::string InProgramFolder(const std::string &name);
// The program folder when the program may keep its own files there (a build
// tree, a portable copy); empty for an installed copy, whose prefix is never
// written to, not even by a user who could (root).
std::string WritableProgramFolder();

} // namespace landora
