#include "imaging/picture_formats.h"

#include "imaging/readers/avif_page_reader.h"
#include "imaging/readers/bmp_page_reader.h"
#include "imaging/readers/emf_page_reader.h"
#include "imaging/readers/gif_page_reader.h"
#include "imaging/readers/ico_page_reader.h"
#include "imaging/readers/jpeg_page_reader.h"
#include "imaging/readers/jxl_page_reader.h"
#include "imaging/readers/png_page_reader.h"
#include "imaging/readers/webp_page_reader.h"
#include "imaging/readers/wmf_page_reader.h"

#include <QtEndian>

#include <algorithm>

namespace ruvo {

namespace {

quint16 word(QByteArrayView head, qsizetype at)
{
    return qFromLittleEndian<quint16>(head.data() + at);
}

quint32 doubleWord(QByteArrayView head, qsizetype at)
{
    return qFromLittleEndian<quint32>(head.data() + at);
}

bool isBmp(QByteArrayView head)
{
    return head.startsWith("BM");
}

bool isJpeg(QByteArrayView head)
{
    return head.startsWith("\xFF\xD8");
}

bool isGif(QByteArrayView head)
{
    return head.startsWith("GIF8");
}

bool isIco(QByteArrayView head)
{
    return head.size() >= 4 && doubleWord(head, 0) == 0x00010000;
}

// A placeable metafile starts with its own key; a bare one with its header:
// kept in memory or on disk, nine words long.
bool isWmf(QByteArrayView head)
{
    if (head.size() < 4)
        return false;
    if (doubleWord(head, 0) == 0x9AC6CDD7)
        return true;
    const quint16 type = word(head, 0);
    return (type == 1 || type == 2) && word(head, 2) == 9;
}

// The header record, type 1, carries " EMF" at byte 40.
bool isEmf(QByteArrayView head)
{
    return head.size() >= 44 && doubleWord(head, 0) == 1 && doubleWord(head, 40) == 0x464D4520;
}

bool isPng(QByteArrayView head)
{
    return head.startsWith("\x89PNG\r\n\x1A\n");
}

bool isWebp(QByteArrayView head)
{
    return head.size() >= 12 && head.startsWith("RIFF") && head.sliced(8, 4) == QByteArrayView("WEBP");
}

quint32 bigDoubleWord(QByteArrayView head, qsizetype at)
{
    return qFromBigEndian<quint32>(head.data() + at);
}

// A file-type box first, whose major brand or one of its compatible brands (as far as the
// head reaches) is a still AVIF's or an AVIF sequence's. Other brands of the same box
// structure (HEIF's, MP4's) are not pages.
bool isAvif(QByteArrayView head)
{
    if (head.size() < 16 || head.sliced(4, 4) != QByteArrayView("ftyp"))
        return false;
    const qsizetype boxEnd = std::min<qsizetype>(bigDoubleWord(head, 0), head.size());
    const auto isAvifBrand = [head](qsizetype at) {
        const QByteArrayView brand = head.sliced(at, 4);
        return brand == QByteArrayView("avif") || brand == QByteArrayView("avis");
    };
    if (isAvifBrand(8))
        return true;
    // After the major brand, its version, then the compatible brands.
    for (qsizetype at = 16; at + 4 <= boxEnd; at += 4) {
        if (isAvifBrand(at))
            return true;
    }
    return false;
}

// A bare codestream, or the container's signature box.
bool isJxl(QByteArrayView head)
{
    return head.startsWith("\xFF\x0A") || head.startsWith(QByteArrayView("\0\0\0\x0CJXL \r\n\x87\n", 12));
}

constexpr PictureExtension bmpExtensions[] = {{QLatin1StringView(".bmp"), u"BMPファイル"}};
constexpr PictureExtension jpegExtensions[] = {{QLatin1StringView(".jpg"), u"JPGファイル"},
                                               {QLatin1StringView(".jpeg"), u"JPEGファイル"}};
constexpr PictureExtension gifExtensions[] = {{QLatin1StringView(".gif"), u"GIFファイル"}};
constexpr PictureExtension icoExtensions[] = {{QLatin1StringView(".ico"), u"ICOファイル"}};
constexpr PictureExtension wmfExtensions[] = {{QLatin1StringView(".wmf"), u"WMFファイル"}};
constexpr PictureExtension emfExtensions[] = {{QLatin1StringView(".emf"), u"EMFファイル"}};
constexpr PictureExtension pngExtensions[] = {{QLatin1StringView(".png"), u"PNGファイル"}};
constexpr PictureExtension webpExtensions[] = {{QLatin1StringView(".webp"), u"WebPファイル"}};
constexpr PictureExtension avifExtensions[] = {{QLatin1StringView(".avif"), u"AVIFファイル"}};
constexpr PictureExtension jxlExtensions[] = {{QLatin1StringView(".jxl"), u"JPEG XLファイル"}};

constexpr PictureFormatInfo formats[] = {
    {PictureFormat::Bmp, bmpExtensions, isBmp, bmpPageReader},
    {PictureFormat::Jpeg, jpegExtensions, isJpeg, jpegPageReader},
    {PictureFormat::Gif, gifExtensions, isGif, gifPageReader},
    {PictureFormat::Ico, icoExtensions, isIco, icoPageReader},
    {PictureFormat::Wmf, wmfExtensions, isWmf, wmfPageReader},
    {PictureFormat::Emf, emfExtensions, isEmf, emfPageReader},
    {PictureFormat::Png, pngExtensions, isPng, pngPageReader},
    {PictureFormat::Webp, webpExtensions, isWebp, webpPageReader},
    {PictureFormat::Avif, avifExtensions, isAvif, avifPageReader},
    {PictureFormat::Jxl, jxlExtensions, isJxl, jxlPageReader},
};

// The basic formats: the table but its last four.
constexpr std::size_t folderFormatCount = std::size(formats) - 4;

const PictureFormatInfo* formatOfContent(std::span<const PictureFormatInfo> among, QByteArrayView head)
{
    for (const PictureFormatInfo& format : among) {
        if (format.hasSignature(head))
            return &format;
    }
    return nullptr;
}

const PictureFormatInfo* formatOfName(std::span<const PictureFormatInfo> among, QStringView nameOrPath)
{
    for (const PictureFormatInfo& format : among) {
        for (const PictureExtension& extension : format.extensions) {
            if (nameOrPath.endsWith(extension.suffix, Qt::CaseInsensitive))
                return &format;
        }
    }
    return nullptr;
}

} // namespace

std::span<const PictureFormatInfo> pictureFormats()
{
    return std::span<const PictureFormatInfo>(formats).first(folderFormatCount);
}

std::span<const PictureFormatInfo> archivePictureFormats()
{
    return formats;
}

const PictureFormatInfo* pictureFormatOfContent(QByteArrayView head)
{
    return formatOfContent(pictureFormats(), head);
}

const PictureFormatInfo* archivePictureFormatOfContent(QByteArrayView head)
{
    return formatOfContent(archivePictureFormats(), head);
}

std::span<const PictureFormatInfo> pageFormats(PageFormats formats)
{
    return formats == PageFormats::All ? archivePictureFormats() : pictureFormats();
}

const PictureFormatInfo* pageFormatOfContent(QByteArrayView head, PageFormats formats)
{
    return formatOfContent(pageFormats(formats), head);
}

const PictureFormatInfo* pageFormatOfName(QStringView nameOrPath, PageFormats formats)
{
    return formatOfName(pageFormats(formats), nameOrPath);
}

const PictureFormatInfo* pictureFormatOfName(QStringView nameOrPath)
{
    return formatOfName(pictureFormats(), nameOrPath);
}

const PictureFormatInfo* archivePictureFormatOfName(QStringView nameOrPath)
{
    return formatOfName(archivePictureFormats(), nameOrPath);
}

QStringList pictureSuffixes(PageFormats formats)
{
    QStringList suffixes;
    for (const PictureFormatInfo& format : pageFormats(formats)) {
        for (const PictureExtension& extension : format.extensions)
            suffixes.append(extension.suffix);
    }
    return suffixes;
}

QStringList pictureDisplayNames(PageFormats formats)
{
    QStringList names;
    for (const PictureFormatInfo& format : pageFormats(formats)) {
        for (const PictureExtension& extension : format.extensions)
            names.append(extension.displayName.toString());
    }
    return names;
}

} // namespace ruvo
