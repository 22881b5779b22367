#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace ruvo::test {

// A file's bytes as they are on disk; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file directly, bypassing the program's own file services.
inline bool putFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace ruvo::test
