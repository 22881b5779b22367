#pragma once

#include <QByteArray>
#include <QString>

namespace ruvo::fuzz {

// A folder of its own on a memory file system, for targets whose reader takes
// a path: each input is written to one file in it, replaced run after run.
class ScratchFile
{
public:
    explicit ScratchFile(const QString& fileName);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    QString folder() const { return m_folder; }
    QString path() const { return m_path; }
    // Puts exactly these bytes in the file; aborts when that is impossible,
    // since a run on the wrong bytes would prove nothing.
    void write(const uint8_t* data, size_t size) const;

private:
    QString m_folder;
    QString m_path;
};

} // namespace ruvo::fuzz
