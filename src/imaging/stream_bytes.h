#pragma once

#include <QByteArray>
#include <QIODevice>

namespace ruvo {

// The bytes of a stream that starts at a device's position, read from any offset into it:
// the readers of headers seek past what they need not read.
class StreamBytes
{
public:
    explicit StreamBytes(QIODevice& device) : m_device(device), m_start(device.pos()) {}

    // Up to count bytes from that offset on, fewer where the device ends; none when it cannot
    // seek there.
    QByteArray at(qint64 offset, qint64 count) const
    {
        if (offset < 0 || !m_device.seek(m_start + offset))
            return {};
        return m_device.read(count);
    }
    // How many bytes the stream holds.
    qint64 size() const { return m_device.size() - m_start; }

private:
    QIODevice& m_device;
    const qint64 m_start;
};

} // namespace ruvo
