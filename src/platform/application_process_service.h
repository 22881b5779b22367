#pragma once

#include "platform/process_service.h"

#include <QStringList>

namespace ruvo {

// The running program: its arguments, the folder that holds its record file,
// and the way out.
class ApplicationProcessService : public ProcessService
{
public:
    ApplicationProcessService(const QStringList& arguments, const QString& executableFolder);

    QString commandLine() const override;
    QString programFolder() const override;
    QString stateFolder() const override;
    QString currentFolder() const override;
    void exit() override;

    // The arguments after the program name as one path: joined with single
    // spaces, surrounding quotes removed, a file URI turned into its path.
    static QString commandLineOf(const QStringList& arguments);
    // The executable's folder when it carries its record file (the build tree, a
    // portable copy); otherwise, as for an installed program, the per-user data folder.
    static QString programFolderFor(const QString& executableFolder, const QString& userDataFolder);
    // The program's folder in the user's state folder: XDG_STATE_HOME when it is an absolute
    // path, otherwise ~/.local/state.
    static QString stateFolderFor(const QString& xdgStateHome, const QString& home);
    // That folder for this user and environment.
    static QString userStateFolder();

private:
    QString m_commandLine;
    QString m_programFolder;
};

} // namespace ruvo
