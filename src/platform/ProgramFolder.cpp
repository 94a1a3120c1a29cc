#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>

namespace landora {

std::string ProgramFolder()
{
    const QString path = QCoreApplication::applicationFilePath();
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return QFile::encodeName(path.left(slash)).toStdString();
}

std::string InProgramFolder(const std::string &name)
{
    return ProgramFolder() + "/" + name;
}

} // namespace landora
