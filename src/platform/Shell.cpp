#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFile>

#include "data/Languages.h"
#include "platform/ProgramFolder.h"

namespace landora {

std::string HelpFileNameFor(int language)
{
    return "landora" + std::to_string(language) + ".html";
}

QUrl HelpUrl(const std::string &folder, int language, const QString &section)
{
    // A page deleted or never shipped for one language must not leave the
    // player with an error page: English is there in every data set.
    std::string path = folder + "/" + HelpFileNameFor(language);
    if (!IsLanguage(language) || !QFile::exists(QFile::decodeName(path.c_str())))
        path = folder + "/" + HelpFileName;
    QUrl url = QUrl::fromLocalFile(QFile::decodeName(path.c_str()));
    if (!section.isEmpty())
        url.setFragment(section);
    return url;
}

void OpenHelp(QWidget *parent, int language, const QString &section)
{
    Q_UNUSED(parent);
    QDesktopServices::openUrl(HelpUrl(ProgramFolder(), language, section));
}

void OpenLink(const QString &target, int language)
{
    if (target.startsWith(QLatin1Char('#'))) {
        OpenHelp(nullptr, language, target.mid(1));
        return;
    }
    QDesktopServices::openUrl(QUrl(target));
}

} // namespace landora
