#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QString>

#include <algorithm>
#include <functional>

namespace ruvo::bench {

// The value below which the share of values lies (0.5: the median).
inline double percentile(QList<double> values, double share)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype at = std::min<qsizetype>(values.size() - 1, qsizetype(share * double(values.size())));
    return values.at(at);
}

inline double median(const QList<double>& values)
{
    return percentile(values, 0.5);
}

inline double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The peak resident memory of a process, in MB: this one by default.
inline double peakResidentMb(const QString& pid = QStringLiteral("self"))
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

} // namespace ruvo::bench
