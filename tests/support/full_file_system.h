#pragma once

#include <QString>
#include <QTemporaryDir>

namespace ruvo::test {

// A small tmpfs mounted for the life of the object, for writes that fail the
// way they do on a really full disk. Mounting needs root; where it is not
// allowed, isMounted() is false and the test skips.
class FullFileSystem
{
public:
    explicit FullFileSystem(int kilobytes = 256);
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    // Fills the file system until a write fails, then frees the given number
    // of bytes again; true when it is then that full.
    bool fillLeaving(qint64 freeBytes);

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

} // namespace ruvo::test
