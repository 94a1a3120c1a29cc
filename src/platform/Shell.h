#pragma once
// Opening the help file and links with the desktop's default handler. The
// shell's answer is ignored: a help viewer that cannot start is not an error
// the player can do anything about.
#include <QString>

class QWidget;

namespace landora {

// The sections of our help file that links point at, kept in one place: we
// have no web site, so the menu's footer link and the About window's links
// open these.
namespace HelpSection {
inline constexpr const char *Playing = "playing";
inline constexpr const char *Scores = "scores";
inline constexpr const char *Settings = "settings";
inline constexpr const char *Keys = "keys";
inline constexpr const char *About = "about";
inline constexpr const char *Credits = "credits";
} // namespace HelpSection

inline constexpr const char *HelpFileName = "landora.html";

// Opens landora.html of the program folder, at a section when one is given.
void OpenHelp(QWidget *parent, const QString &section = {});
// Opens a link target: a URL, or a "#section" of the help file.
void OpenLink(const QString &target);

} // namespace landora
