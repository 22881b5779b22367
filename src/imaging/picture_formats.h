#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QStringList>
#include <QStringView>

#include <span>

namespace ruvo {

struct PageReader;

enum class PictureFormat
{
    Bmp,
    Jpeg,
    Gif,
    Ico,
    Wmf,
    Emf,
    // Held by archive books, which comic archives fill with them, and by folder books
    // unless they are held to the six above.
    Png,
    Webp,
    Avif,
    Jxl,
    // A page of a PDF book, drawn rather than decoded: no reader's and no file's format.
    Pdf
};

// The formats a book's pages may be in.
enum class PageFormats
{
    // BMP, JPEG, GIF, ICO, WMF and EMF: what folder books are held to when the reader asks.
    Basic,
    // Those and PNG, WebP, AVIF and JPEG XL: an archive's pages, and a folder's unless held.
    All
};

// One extension a format's files are named with, and how the drop help names
// such files.
struct PictureExtension
{
    // Lower case, with its dot: ".jpg".
    QLatin1StringView suffix;
    QStringView displayName;
};

// What the viewer knows of one page picture format.
struct PictureFormatInfo
{
    PictureFormat format;
    std::span<const PictureExtension> extensions;
    // Whether a file's first bytes (up to pictureSignatureBytes of them) carry
    // the format's signature.
    bool (*hasSignature)(QByteArrayView head);
    // What reads the format's pages (see readers/page_reader.h).
    const PageReader& reader;
};

// How many of a file's first bytes the signatures look at.
inline constexpr int pictureSignatureBytes = 44;

// Every format a page may be in, in the order the file browser and the drop
// help list them.
std::span<const PictureFormatInfo> pictureFormats();

// The formats a page inside an archive may be in: those above, PNG, WebP, AVIF and JPEG XL.
std::span<const PictureFormatInfo> archivePictureFormats();

// The format whose signature a file's first bytes carry; null when none does.
const PictureFormatInfo* pictureFormatOfContent(QByteArrayView head);
const PictureFormatInfo* archivePictureFormatOfContent(QByteArrayView head);
// The same among the formats given.
const PictureFormatInfo* pageFormatOfContent(QByteArrayView head, PageFormats formats);

// The format whose extension a name or path ends in, compared without regard
// to case; null when it ends in none of them.
const PictureFormatInfo* pictureFormatOfName(QStringView nameOrPath);
const PictureFormatInfo* archivePictureFormatOfName(QStringView nameOrPath);
const PictureFormatInfo* pageFormatOfName(QStringView nameOrPath, PageFormats formats);

// The formats given, in table order.
std::span<const PictureFormatInfo> pageFormats(PageFormats formats);

// Every extension of the formats given, in table order.
QStringList pictureSuffixes(PageFormats formats);

// The display name of every extension of the formats given, in table order.
QStringList pictureDisplayNames(PageFormats formats);

} // namespace ruvo
