#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

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

// Writes the bytes as the file of that name in the folder and gives its path; the test fails
// when it cannot be written.
inline QString putIn(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    [&] { QVERIFY(putFileBytes(path, bytes)); }();
    return path;
}

} // namespace ruvo::test
