#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/ProgramFolder.h"

namespace landora {

void OpenHelp(QWidget *parent, const QString &section)
{
    Q_UNUSED(parent);
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(InProgramFolder(HelpFileName)));
    if (!section.isEmpty())
        url.setFragment(section);
    QDesktopServices::openUrl(url);
}

void OpenLink(const QString &target)
{
    if (target.startsWith(QLatin1Char('#'))) {
        OpenHelp(nullptr, target.mid(1));
        return;
    }
    QDesktopServices::openUrl(QUrl(target));
}

} // namespace landora
