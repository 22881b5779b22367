#pragma once

// What the benchmarks that run other programs share: an X server of their own, and the
// programs they compare with, installed when they are missing.
#include <QFile>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>

#include <cstdio>

namespace ruvo::bench {

// Installs the Debian packages (apt-get, as root) unless every executable named is there.
inline bool ensureInstalled(const QStringList& packages, const QStringList& executables)
{
    const auto missing = [&] {
        for (const QString& executable : executables) {
            if (QStandardPaths::findExecutable(executable).isEmpty())
                return true;
        }
        return false;
    };
    if (!missing())
        return true;
    std::printf("installing %s...\n", qPrintable(packages.join(u' ')));
    std::fflush(stdout);
    QProcess::execute(QStringLiteral("apt-get"), QStringList{QStringLiteral("install"), QStringLiteral("-y"),
                                                             QStringLiteral("--no-install-recommends")} +
                                                     packages);
    return !missing();
}

// An X server of its own, on the first free display from :90.
struct Xvfb
{
    QProcess server;
    QByteArray name;

    // Once it takes connections.
    bool start(QSize screen)
    {
        bool listening = false;
        for (int number = 90; number < 100 && !listening; ++number) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
                continue;
            name = ':' + QByteArray::number(number);
            server.start(QStringLiteral("Xvfb"),
                         {QString::fromLatin1(name), QStringLiteral("-screen"), QStringLiteral("0"),
                          QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                          QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            for (int wait = 0; wait < 100 && !listening; ++wait) {
                QThread::msleep(50);
                listening = QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number));
            }
        }
        return listening;
    }

    ~Xvfb()
    {
        server.terminate();
        server.waitForFinished(5000);
    }
};

} // namespace ruvo::bench
