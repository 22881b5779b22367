#pragma once

#include "platform/platform.h"

#include <QString>
#include <QStringList>

namespace ruvo {

// A drive list: the roots of the mounted volumes, with the one chosen. A
// drive whose medium cannot be read is refused with a message.
class DriveList
{
public:
    enum class Choice
    {
        Same,
        Changed,
        Refused
    };

    explicit DriveList(Platform platform) : m_platform(platform) {}

    const QString& current() const { return m_current; }
    // The drive that holds a path becomes the current one, without a check.
    void setCurrentFor(const QString& path);
    QStringList drives() const;
    Choice choose(const QString& drive);

private:
    Platform m_platform;
    QString m_current;
};

} // namespace ruvo
