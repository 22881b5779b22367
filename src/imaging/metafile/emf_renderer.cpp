#include "imaging/metafile/emf_renderer.h"

#include "imaging/metafile/emf_page.h"
#include "imaging/metafile/emf_records.h"
#include "imaging/metafile/emf_validator.h"
#include "imaging/picture_memory.h"

#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <emf2svg.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace ruvo {

namespace {

constexpr size_t kMaxSvgBytes = size_t(128) * 1024 * 1024;
// The largest colour table a bitmap's pixel values can index.
constexpr qsizetype kColourTableSlack = 256 * 4;

// libemf2svg keeps no promise of being reentrant (it calls rand() and iconv
// among others), so conversions take turns.
QMutex& converterMutex()
{
    static QMutex mutex;
    return mutex;
}

struct FreeDeleter
{
    void operator()(char* text) const { std::free(text); }
};

DecodedPicture failure(const QString& reason)
{
    return DecodedPicture{QImage(), reason};
}

// Glyph numbers are turned back into characters by the converter through
// fontconfig, which it then shuts down under Qt's feet: fontconfig asserts and
// the program aborts. Such text is dropped rather than risked.
void dropGlyphIndexText(QByteArray& bytes, const QList<qint64>& records)
{
    char* data = bytes.data();
    for (qint64 record : records) {
        const bool small = qFromLittleEndian<quint32>(data + record) == EmfRecord::SmallTextOut;
        const qint64 countAt = record + (small ? 16 : 44);
        const qint64 optionsAt = record + (small ? 20 : 52);
        qToLittleEndian<quint32>(0, data + countAt);
        qToLittleEndian<quint32>(qFromLittleEndian<quint32>(data + optionsAt) & ~EmfRecord::glyphIndexOption,
                                 data + optionsAt);
    }
}

// A record the converter must not read becomes one it ignores, of the same size.
void neutralise(QByteArray& bytes, const QList<qint64>& records)
{
    for (qint64 record : records)
        qToLittleEndian<quint32>(EmfRecord::RealizePalette, bytes.data() + record);
}

void writeRect(QByteArray& bytes, int at, const QRect& rect)
{
    char* data = bytes.data();
    qToLittleEndian<qint32>(rect.left(), data + at);
    qToLittleEndian<qint32>(rect.top(), data + at + 4);
    qToLittleEndian<qint32>(rect.right(), data + at + 8);
    qToLittleEndian<qint32>(rect.bottom(), data + at + 12);
}

} // namespace

DecodedPicture EmfRenderer::render(const QByteArray& bytes) const
{
    const EmfValidator validator(bytes);
    if (!validator.isValid())
        return failure(validator.error());
    const EmfLayout layout = validator.layout();
    // Only the records up to the end-of-file record go to the converter, and
    // the header counts them as they are. The zeros after them catch the
    // converter's reads of colour tables shorter than a bitmap's pixel values
    // can index.
    QByteArray copy(layout.length + kColourTableSlack, '\0');
    std::memcpy(copy.data(), bytes.constData(), size_t(layout.length));
    qToLittleEndian<quint32>(quint32(layout.length), copy.data() + 48);
    qToLittleEndian<quint32>(quint32(layout.records), copy.data() + 52);
    // The description is never shown, and the converter reads it as a
    // null-terminated string wherever it points; hand it over blank.
    qToLittleEndian<quint32>(0, copy.data() + 60);
    qToLittleEndian<quint32>(0, copy.data() + 64);
    dropGlyphIndexText(copy, layout.glyphIndexText);
    neutralise(copy, layout.skipped);
    QString error;
    const std::optional<EmfPage> page = EmfPage::of(layout, &error);
    if (!page)
        return failure(error);
    if (page->bounds != layout.bounds)
        writeRect(copy, 8, page->bounds);

    generatorOptions options{};
    options.nameSpace = nullptr;
    options.verbose = false;
    options.emfplus = false;
    options.svgDelimiter = true;
    char* svgText = nullptr;
    size_t svgLength = 0;
    int converted = 0;
    {
        const QMutexLocker lock(&converterMutex());
        converted = emf2svg(copy.data(), size_t(layout.length), &svgText, &svgLength, &options);
    }
    const std::unique_ptr<char, FreeDeleter> svg(svgText);
    if (!converted || !svg || svgLength == 0)
        return failure(QStringLiteral("EMF could not be converted"));
    if (svgLength > kMaxSvgBytes)
        return failure(QStringLiteral("EMF is too complex"));

    QSvgRenderer renderer;
    if (!renderer.load(QByteArray::fromRawData(svg.get(), qsizetype(svgLength))) || !renderer.isValid())
        return failure(QStringLiteral("EMF could not be drawn"));
    // The converter's coordinates are device pixels less the bounds' corner.
    const QRect& bounds = page->bounds;
    renderer.setViewBox(page->page.translated(-double(bounds.left()), -double(bounds.top())));

    const QSize size = page->size;
    QImage image = newPicture(size, QImage::Format_RGB32);
    if (image.isNull())
        return failure(QStringLiteral("not enough memory for the EMF picture"));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return DecodedPicture{image, QString()};
}

} // namespace ruvo
