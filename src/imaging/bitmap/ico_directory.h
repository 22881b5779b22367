#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

#include <functional>
#include <optional>

namespace ruvo {

// An icon whose directory tells each image's size as the image itself does.
// Writers put sizes in the directory that disagree with the images inside,
// and byte counts that run past the file; Qt's reader trusts the directory,
// cutting such an image short or refusing it. Each entry's width and height
// are taken from the image's own header (a bitmap's or a PNG's), its byte
// count is kept to the file, and the rest is left as it was.
QByteArray icoWithTrueSizes(QByteArray ico);

// How many of an icon image's first bytes hold what its header says of its size and colour
// depth.
inline constexpr qsizetype kIcoImageHeadBytes = 40;

// How many images an icon's directory lists, from the icon's first bytes; 0 when they end
// before the count.
int icoImageCount(QByteArrayView ico);
// How many of an icon's first bytes its directory takes, with that many entries.
qsizetype icoDirectoryBytes(int count);
// How many images of count an icon of fileBytes can list: no more than its directory's entries
// it has room for.
int icoImagesWithin(int count, qint64 fileBytes);

// Where the image of entry index starts, as the directory says: the icon's first bytes, the
// count and entries; nothing when they do not hold the entry.
std::optional<qint64> icoImageOffset(QByteArrayView directory, int index);

// The bytes of the image at index, from its start to the end of the icon; empty when the
// directory or the file does not hold it.
QByteArrayView icoImage(QByteArrayView ico, int index);

// The size the directory lists for the image at index, as Qt's reader takes it: 256 for a side
// of 0. Nothing when the directory does not hold the entry.
std::optional<QSize> icoListedSize(QByteArrayView directory, int index);

// The bits per pixel of an icon's image, as the image itself says from its first bytes (a
// PNG's from its depth and colour type); 0 when it says nothing readable.
int icoImageBits(QByteArrayView image);

// The size of an icon's image as the image itself says from its first bytes (a PNG's header
// or a bitmap's), which Qt's reader knows only from the directory, as 256 for any side of more
// than 255; nothing when the image says nothing readable. A side longer than QSize holds is cut
// to its largest.
std::optional<QSize> icoImageSize(QByteArrayView image);

// The image an icon's page shows, and its size.
struct IcoImage
{
    int index = 0;
    QSize size;
};

// An icon holds several sizes, some in several colour depths: the page is the largest image,
// in the most colours, the first listed of equals. sizeOf gives the size of the image at an
// index, nothing when it cannot be read at all; bitsOf its bits per pixel. Nothing when no
// image has a size.
std::optional<IcoImage> icoPageImage(int count, const std::function<std::optional<QSize>(int)>& sizeOf,
                                     const std::function<int(int)>& bitsOf);

} // namespace ruvo
