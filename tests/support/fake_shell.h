#pragma once

#include "platform/shell_service.h"

#include <QStringList>

namespace ruvo::test {

class FakeShell : public ShellService
{
public:
    bool showFolder(const QString& folder) override
    {
        foldersShown.append(folder);
        return true;
    }
    bool open(const QString& target) override
    {
        opened.append(target);
        return opens;
    }

    QStringList foldersShown;
    QStringList opened;
    // Whether the desktop has something to open what it is asked to.
    bool opens = true;
};

} // namespace ruvo::test
