#pragma once

#include "imaging/picture_decoder.h"

#include <QByteArray>
#include <QIODevice>
#include <QImageReader>
#include <QSize>
#include <QString>

#include <optional>

namespace ruvo {

// What the page readers share: how a page fails, how a size a header claims is judged before
// anything is allocated for it, Qt's image reader as they use it, and the metafiles' way in.

DecodedPicture failure(const QString& reason);

// The failure for a size no page has, or that the file's data cannot fill (mostPixels, from
// the bounds per byte of picture_limits.h); nothing for a size that may be read, or none at all.
std::optional<DecodedPicture> refusedSize(QSize size, qint64 mostPixels);

// The failure for a size beyond the bounds, or beyond mostPixels, the most a format's decoder
// may be given; nothing for a size that may be decoded.
std::optional<DecodedPicture> refusedLargerThan(QSize size, qint64 mostPixels);
// The same for the sides a library reports, which may be too long for a QSize.
std::optional<DecodedPicture> refusedLargerThan(qint64 width, qint64 height, qint64 mostPixels);

// The failure for a page too large to be read whole into memory, as the libraries that read
// pages from memory need them (kArchivePageMaxBytes); nothing for one that may be read.
std::optional<DecodedPicture> refusedWholeRead(const QIODevice& file);

// The picture Qt's reader reads, standing at the image to be read: the size it knows from
// the header is judged first, and the size it read after.
DecodedPicture readThroughQt(QImageReader& reader, qint64 mostPixels);

// A metafile page, read whole and drawn.
DecodedPicture drawMetafile(QIODevice& file, DecodedPicture (*draw)(const QByteArray& bytes));

} // namespace ruvo
