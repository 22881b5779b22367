#pragma once

#include <QString>

#include <optional>

#include <sys/types.h>

namespace ruvo::test {

// A file or folder that the calling thread may not read, for real, while this lives: its
// permission bits are cleared and, as root reads past them, the capabilities that let it
// (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH) are put aside from this thread's effective set,
// which root may raise again. Both are put back as they were at the end. Other threads keep
// their capabilities.
class UnreadableEntry
{
public:
    explicit UnreadableEntry(QString path);
    ~UnreadableEntry();
    UnreadableEntry(const UnreadableEntry&) = delete;
    UnreadableEntry& operator=(const UnreadableEntry&) = delete;

    // Whether the system now refuses to open it for reading for lack of permission.
    bool refusesReading() const;

private:
    QString m_path;
    // Its permission bits as they were; nothing when it could not be seen.
    std::optional<mode_t> m_mode;
    bool m_capabilitiesSetAside = false;
};

} // namespace ruvo::test
