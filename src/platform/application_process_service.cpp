#include "platform/application_process_service.h"

#include "platform/argument_path.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ruvo {

ApplicationProcessService::ApplicationProcessService(const QStringList& arguments,
                                                     const QString& executableFolder)
    : m_commandLine(commandLineOf(arguments)),
      m_programFolder(programFolderFor(executableFolder,
                                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)))
{
}

QString ApplicationProcessService::commandLine() const
{
    return m_commandLine;
}

QString ApplicationProcessService::programFolder() const
{
    return m_programFolder;
}

QString ApplicationProcessService::stateFolder() const
{
    return userStateFolder();
}

QString ApplicationProcessService::userStateFolder()
{
    return stateFolderFor(qEnvironmentVariable("XDG_STATE_HOME"), QDir::homePath());
}

QString ApplicationProcessService::currentFolder() const
{
    return QDir::currentPath();
}

void ApplicationProcessService::exit()
{
    QCoreApplication::exit(0);
}

QString ApplicationProcessService::commandLineOf(const QStringList& arguments)
{
    QString text = arguments.mid(1).join(QLatin1Char(' '));
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2);
    return pathOfArgument(text);
}

QString ApplicationProcessService::stateFolderFor(const QString& xdgStateHome, const QString& home)
{
    // A relative one is to be ignored, as the base directory rules say.
    const QString base = xdgStateHome.startsWith(pathSeparator)
                             ? xdgStateHome
                             : joinPath(home, QStringLiteral(".local/state"));
    return joinPath(base, QStringLiteral("Dudado/Ruvo"));
}

QString ApplicationProcessService::programFolderFor(const QString& executableFolder,
                                                    const QString& userDataFolder)
{
    // Being writable is not enough: an installed program run by root could then
    // leave its files in /usr/bin.
    if (QFileInfo(joinPath(executableFolder, QStringLiteral("defruv.ini"))).isFile())
        return withoutTrailingSeparator(executableFolder);
    QDir().mkpath(userDataFolder);
    return withoutTrailingSeparator(userDataFolder);
}

} // namespace ruvo
