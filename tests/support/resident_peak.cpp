#include "support/resident_peak.h"

#include <QFile>

namespace ruvo::test {

namespace {

// A field of /proc/self/status, in bytes; -1 when it is not there.
qint64 statusBytes(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith(field + ':'))
            continue;
        bool ok = false;
        const qint64 kilobytes = line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? kilobytes * 1024 : -1;
    }
    return -1;
}

} // namespace

ResidentPeak::ResidentPeak()
{
    // "5" sets the peak back to what is held now (Linux 4.0 and later).
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    m_start = statusBytes("VmHWM");
}

qint64 ResidentPeak::growth() const
{
    const qint64 peak = statusBytes("VmHWM");
    if (peak < 0 || m_start < 0)
        return -1;
    return peak - m_start;
}

} // namespace ruvo::test
