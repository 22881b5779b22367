#pragma once

// What the benchmarks that run other programs share: an X server and a session bus of their
// own, and the programs they compare with, installed when they are missing.
#include <QFile>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <QStringList>

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

// An X server of its own, on a display it finds free itself: a lock file left by a server
// that was killed does not stand in its way.
struct Xvfb
{
    QProcess server;
    QByteArray name;

    // Once it takes connections: the server writes its display's number when it does.
    bool start(QSize screen)
    {
        server.start(QStringLiteral("Xvfb"),
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                      QStringLiteral("0"),
                      QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QByteArray number;
        while (!number.endsWith('\n') && server.waitForReadyRead(5000))
            number += server.readAllStandardOutput();
        number = number.trimmed();
        bool isNumber = false;
        number.toInt(&isNumber);
        name = ':' + number;
        return isNumber;
    }

    ~Xvfb()
    {
        server.terminate();
        server.waitForFinished(5000);
    }
};

// A session bus of its own, as every desktop session has: without one, a program that looks
// for the bus (Qt does, for accessibility) tries to start one, which a reader's desktop never
// makes it do.
struct SessionBus
{
    QProcess daemon;
    QString address;

    // Once it takes connections: the daemon writes its address when it does.
    bool start()
    {
        if (!ensureInstalled({QStringLiteral("dbus-daemon")}, {QStringLiteral("dbus-daemon")}))
            return false;
        daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                     QStringLiteral("--print-address=1")});
        QByteArray line;
        while (!line.endsWith('\n') && daemon.waitForReadyRead(5000))
            line += daemon.readAllStandardOutput();
        address = QString::fromLatin1(line.trimmed());
        return !address.isEmpty();
    }

    ~SessionBus()
    {
        daemon.terminate();
        daemon.waitForFinished(5000);
    }
};

} // namespace ruvo::bench
