#include "books/pdf_picture_page.h"

#include "books/pdf_page_size.h"
#include "books/pdf_page_weight.h"
#include "imaging/picture_limits.h"

#include <QFile>
#include <QList>

// Object.h first: it brings in Dict.h and Stream.h in the order they need.
#include <poppler/Object.h>

#include <poppler/Error.h>
#include <poppler/GlobalParams.h>
#include <poppler/PDFDoc.h>
#include <poppler/Page.h>

#include <algorithm>
#include <cmath>
#include <memory>

// Poppler's core, as used here, keeps to these rules of its 22.12 release:
// - Its global parameters must exist while any document is used. GlobalParamsIniter makes them
//   when the first initer comes and frees them when the last goes, under a mutex of its own;
//   poppler's Qt interface holds one for each of its documents. One is held here for as long
//   as documents of the core are: a book's for its life, a single call's for the call. They
//   are not held for the life of the program, as they keep what they found of fonts by name,
//   which damaged files may grow without end.
// - A PDFDoc, with the objects and streams read through it, is used by one thread at a time:
//   a use takes it alone, under the pool's mutex, and hands it back when done, or opens one of
//   its own.
// - What the global parameters are asked for is locked inside them; the error callback is
//   one for the whole program, and quiet: a damaged page says what is to be said itself.

namespace ruvo {

namespace {

// The contents of a page that only draws one picture are a few dozen bytes.
constexpr int kMostContentBytes = 256;
// How far the picture's edges may stand from the page's and it still be over the whole page:
// rounding in the numbers written for it, half a point at most and less on a small page.
constexpr double kEdgeTolerancePoints = 0.5;
constexpr double kEdgeToleranceOfSide = 0.002;

void quiet(ErrorCategory, Goffset, const char*) {}

// The bytes a stream gives, up to most; nothing when it gives more.
std::optional<QByteArray> streamBytes(Stream& stream, qint64 most)
{
    stream.reset();
    QByteArray bytes;
    unsigned char chunk[16384];
    for (;;) {
        const int read = stream.doGetChars(int(sizeof chunk), chunk);
        if (read <= 0)
            break;
        if (bytes.size() + read > most)
            return std::nullopt;
        bytes.append(reinterpret_cast<const char*>(chunk), read);
    }
    return bytes;
}

// The name of the picture a page's contents draw, when they do nothing else than draw it
// upright over the whole of area: "q a 0 0 d e f cm /Name Do Q", or the same without q and Q.
std::optional<QByteArray> drawnPictureName(Page& page, const PDFRectangle& area)
{
    Object contents = page.getContents();
    if (!contents.isStream())
        return std::nullopt;
    const std::optional<QByteArray> bytes = streamBytes(*contents.getStream(), kMostContentBytes);
    if (!bytes)
        return std::nullopt;
    QList<QByteArray> words = bytes->simplified().split(' ');
    if (words.size() == 11 && words.first() == "q" && words.last() == "Q")
        words = words.mid(1, 9);
    if (words.size() != 9 || words.at(6) != "cm" || words.at(8) != "Do" || !words.at(7).startsWith('/'))
        return std::nullopt;
    double matrix[6];
    for (int i = 0; i < 6; ++i) {
        bool isNumber = false;
        matrix[i] = words.at(i).toDouble(&isNumber);
        if (!isNumber || !std::isfinite(matrix[i]))
            return std::nullopt;
    }
    const double tolerance = std::min({kEdgeTolerancePoints, kEdgeToleranceOfSide * (area.x2 - area.x1),
                                       kEdgeToleranceOfSide * (area.y2 - area.y1)});
    const auto near = [tolerance](double a, double b) { return std::abs(a - b) <= tolerance; };
    const bool upright = matrix[0] > 0 && matrix[1] == 0 && matrix[2] == 0 && matrix[3] > 0;
    if (!upright || !near(matrix[4], area.x1) || !near(matrix[5], area.y1) ||
        !near(matrix[4] + matrix[0], area.x2) || !near(matrix[5] + matrix[3], area.y2))
        return std::nullopt;
    return words.at(7).mid(1);
}

bool isOneName(const Object& object, const char* name)
{
    if (object.isName(name))
        return true;
    if (!object.isArray() || object.arrayGetLength() != 1)
        return false;
    return object.arrayGet(0).isName(name);
}

// Whether decoding the picture's JPEG bytes alone gives what is drawn of it.
bool isPlainJpeg(Dict& picture)
{
    const Object colours = picture.lookup("ColorSpace");
    return isOneName(picture.lookup("Filter"), "DCTDecode") && picture.lookup("DecodeParms").isNull() &&
           picture.lookup("Decode").isNull() && picture.lookup("SMask").isNull() &&
           picture.lookup("Mask").isNull() && picture.lookup("BitsPerComponent").isInt() &&
           picture.lookup("BitsPerComponent").getInt() == 8 &&
           (colours.isName("DeviceRGB") || colours.isName("DeviceGray"));
}

std::unique_ptr<PDFDoc> openDocument(const QString& path)
{
    return std::make_unique<PDFDoc>(std::make_unique<GooString>(QFile::encodeName(path).toStdString()));
}

std::optional<PdfPicturePage> pictureOfPage(PDFDoc& document, int index, PictureBytes bytes)
{
    if (!document.isOk() || index < 0 || index >= document.getNumPages())
        return std::nullopt;
    Page* page = document.getPage(index + 1);
    if (!page)
        return std::nullopt;
    Dict* resources = page->getResourceDict();
    if (!resources)
        return std::nullopt;
    const Object fonts = resources->lookup("Font");
    if (!fonts.isNull() && !(fonts.isDict() && fonts.dictGetLength() == 0))
        return std::nullopt;
    const Object pictures = resources->lookup("XObject");
    if (!pictures.isDict() || pictures.dictGetLength() != 1)
        return std::nullopt;
    const std::optional<QByteArray> name = drawnPictureName(*page, *page->getCropBox());
    if (!name || *name != pictures.dictGetKey(0))
        return std::nullopt;
    Object picture = pictures.dictGetVal(0);
    if (!picture.isStream())
        return std::nullopt;
    Dict& facts = *picture.streamGetDict();
    const Object width = facts.lookup("Width");
    const Object height = facts.lookup("Height");
    const Object mask = facts.lookup("ImageMask");
    if (!facts.lookup("Subtype").isName("Image") || (mask.isBool() && mask.getBool()) || !width.isInt() ||
        !height.isInt() || width.getInt() <= 0 || height.getInt() <= 0 || width.getInt() > kPictureMaxSide ||
        height.getInt() > kPictureMaxSide)
        return std::nullopt;
    const int turn = page->getRotate();
    PdfPicturePage found{QSize(width.getInt(), height.getInt()), QByteArray()};
    if (turn == 90 || turn == 270)
        found.pixels.transpose();
    // A picture of fewer pixels than the page has at 96 dots per inch (a few dots on a page of
    // inches) is no scan: the page is drawn at 96 dots per inch, as any other.
    const PDFRectangle& area = *page->getCropBox();
    QSize atScreenResolution = pdfPageActualSize(QSizeF(area.x2 - area.x1, area.y2 - area.y1));
    if (turn == 90 || turn == 270)
        atScreenResolution.transpose();
    if (qint64(found.pixels.width()) * found.pixels.height() <
        qint64(atScreenResolution.width()) * atScreenResolution.height())
        return std::nullopt;
    if (bytes == PictureBytes::Take && turn == 0 && !document.isEncrypted() && isPlainJpeg(facts)) {
        if (std::optional<QByteArray> jpeg =
                streamBytes(*picture.getStream()->getUndecodedStream(), kJpegReadWholeMaxBytes))
            found.jpeg = std::move(*jpeg);
    }
    return found;
}

} // namespace

PdfPicturePages::PdfPicturePages(QString path)
    : m_path(std::move(path)), m_globalParams(std::make_unique<GlobalParamsIniter>(quiet))
{
}

PdfPicturePages::~PdfPicturePages() = default;

template <typename Use> auto PdfPicturePages::withDocument(Use use)
{
    std::unique_ptr<PDFDoc> document;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_free.empty()) {
            document = std::move(m_free.back());
            m_free.pop_back();
        }
    }
    // Opened outside the lock: other pages go on being looked at meanwhile.
    if (!document)
        document = openDocument(m_path);
    auto result = use(*document);
    const std::lock_guard lock(m_mutex);
    if (m_free.size() < keptFree)
        m_free.push_back(std::move(document));
    return result;
}

std::optional<PdfPicturePage> PdfPicturePages::pageAt(int index, PictureBytes bytes)
{
    return withDocument([&](PDFDoc& document) { return pictureOfPage(document, index, bytes); });
}

QString PdfPicturePages::overweightOf(int index)
{
    {
        const std::lock_guard lock(m_mutex);
        if (const auto known = m_overweight.find(index); known != m_overweight.end())
            return known->second;
    }
    const QString verdict = withDocument([&](PDFDoc& document) {
        if (!document.isOk() || index < 0 || index >= document.getNumPages())
            return QString();
        Page* page = document.getPage(index + 1);
        return page ? pdfPageOverweight(*page) : QString();
    });
    const std::lock_guard lock(m_mutex);
    m_overweight.emplace(index, verdict);
    return verdict;
}

std::optional<PdfPicturePage> picturePageOf(const QString& path, int index, PictureBytes bytes)
{
    const GlobalParamsIniter globalParams(quiet);
    return pictureOfPage(*openDocument(path), index, bytes);
}

} // namespace ruvo
