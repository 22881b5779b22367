#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QSize>

namespace ruvo::test {

// One member of an archive written by a test.
struct MemberSpec
{
    // The path exactly as it is to be stored.
    QByteArray path;
    QByteArray data;
    // ZIP only: the "encrypted" flag, the "names are UTF-8" flag, and a size declared
    // other than the data's (-1: the data's own).
    bool encryptedFlag = false;
    bool utf8Flag = false;
    qint64 declaredSize = -1;
};

// A ZIP written byte by byte, its members stored as they are, with the flags and sizes the
// specs give.
QByteArray storedZip(const QList<MemberSpec>& members);

// An archive written by libarchive in one of its formats ("zip", "7zip", "ustar"), its
// members compressed as the format does by default (7z: solid), the whole compressed
// with filter ("gzip", "bzip2", "xz", "zstd") when one is named.
QByteArray writtenArchive(const char* format, const QList<MemberSpec>& members, const char* filter = nullptr);

// The ZIP with the unpacked size of every member declared as size, in its local header
// and in its central directory, whatever the member unpacks to.
QByteArray withDeclaredSizes(QByteArray zip, quint32 size);

// A small page picture of one colour, in the format Qt's writer names ("PNG", "BMP", "JPEG").
QByteArray pagePicture(QColor color, const char* format = "PNG", QSize size = QSize(12, 8));

} // namespace ruvo::test
