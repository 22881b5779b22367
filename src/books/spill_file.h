#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace ruvo {

// Bytes kept out of memory in a private temporary file that has no name: nothing can open
// it but this process, and nothing of it is left behind however the process ends.
class SpillFile
{
public:
    // In folder, or in the system's temporary folder when folder is empty.
    explicit SpillFile(const QString& folder = {});
    ~SpillFile();
    SpillFile(const SpillFile&) = delete;
    SpillFile& operator=(const SpillFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Appends the bytes; where they start, or nothing when they could not all be written.
    std::optional<qint64> append(const QByteArray& bytes);
    // The bytes written at offset; nothing when they cannot all be read back.
    std::optional<QByteArray> read(qint64 offset, qint64 size) const;

private:
    int m_fd = -1;
    qint64 m_end = 0;
};

} // namespace ruvo
