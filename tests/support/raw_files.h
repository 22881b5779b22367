#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>

#include <cstdio>
#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>

namespace ruvo::test {

// Writes a file under its exact bytes, out of reach of any name conversion.
inline bool putRawFile(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

// Removes a tree of files under their exact bytes, links as links; true when it is gone.
inline bool removeRawTree(const QByteArray& path)
{
    const auto remove = [](const char* entry, const struct stat*, int, struct FTW*) {
        return ::remove(entry);
    };
    return ::nftw(path.constData(), remove, 16, FTW_DEPTH | FTW_PHYS) == 0;
}

// A JPEG of one colour, of the size given.
inline QByteArray jpegOf(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

} // namespace ruvo::test
