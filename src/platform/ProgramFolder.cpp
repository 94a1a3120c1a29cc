#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace landora {

namespace {

bool HoldsDataSet(const QString &folder)
{
    return QFileInfo(folder + QLatin1Char('/') + QLatin1String(DataSetMarker)).isFile();
}

ProgramLocation RunningLocation()
{
    const QString path = QCoreApplication::applicationFilePath();
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return LocateProgramFolder(QFile::encodeName(path.left(slash)).toStdString());
}

} // namespace

ProgramLocation LocateProgramFolder(const std::string &executableFolder)
{
    const QString beside = QFile::decodeName(QByteArray::fromStdString(executableFolder));
    if (!HoldsDataSet(beside)) {
        const QString shared = QDir::cleanPath(beside + QStringLiteral("/../share/landora"));
        if (HoldsDataSet(shared))
            return {QFile::encodeName(shared).toStdString(), true};
    }
    return {executableFolder, false};
}

std::string ProgramFolder()
{
    return RunningLocation().Folder;
}

std::string InProgramFolder(const std::string &name)
{
    return ProgramFolder() + "/" + name;
}

std::string WritableProgramFolder()
{
    ProgramLocation location = RunningLocation();
    return location.Installed ? std::string() : std::move(location.Folder);
}

} // namespace landora
