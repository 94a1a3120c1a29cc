#pragma once
// Opening the help file and links with the desktop's default handler. The
// shell's answer is ignored: a help viewer that cannot start is not an error
// the player can do anything about.
#include <QString>
#include <QUrl>

#include <string>

class QWidget;

namespace landora {

// The sections of our help file that links point at, kept in one place: we
// have no web site, so the menu's footer link and the About window's links
// open these. Every language's page has them all.
namespace HelpSection {
inline constexpr const char *Playing = "playing";
inline constexpr const char *Scores = "scores";
inline constexpr const char *Settings = "settings";
inline constexpr const char *Keys = "keys";
inline constexpr const char *About = "about";
inline constexpr const char *Credits = "credits";
} // namespace HelpSection

// The English help, also the page opened when a language has none.
inline constexpr const char *HelpFileName = "landora.html";
// The help of interface language n (1..9) is "landora" + n + ".html".
std::string HelpFileNameFor(int language);

// The help of the language in the given folder, at a section when one is
// given; the English page when that language's page is missing.
QUrl HelpUrl(const std::string &folder, int language, const QString &section = {});

// Opens the help of the interface language from the program folder.
void OpenHelp(QWidget *parent, int language, const QString &section = {});
// Opens a link target: a URL, or a "#section" of the help in that language.
void OpenLink(const QString &target, int language);

} // namespace landora
