#include "books/pdf_page_renderer.h"

#include "books/pdf_documents.h"
#include "books/pdf_page_size.h"
#include "books/pdf_picture_page.h"
#include "imaging/jpeg/exif_orientation.h"
#include "imaging/jpeg/jpeg_markers.h"
#include "imaging/readers/jpeg_page_reader.h"
#include "imaging/readers/page_reading.h"

#include <QBuffer>
#include <QVariant>

#include <chrono>

#include <poppler-qt6.h>

namespace ruvo {

namespace {

// Whether a JPEG's pixels stand as stored: a PDF draws them so, whatever EXIF says, where
// our reader would turn them as it says.
bool storedUpright(const QByteArray& jpeg)
{
    if (!JpegMarkers::startsStream(jpeg))
        return false;
    JpegMarkers markers(jpeg);
    while (const std::optional<JpegMarkers::Segment> segment = markers.next()) {
        if (segment->marker != JpegMarkers::kApp1)
            continue;
        const QByteArrayView payload = QByteArrayView(jpeg).sliced(
            std::min(segment->payloadAt(), jpeg.size()),
            std::clamp<qsizetype>(segment->length - 2, 0,
                                  jpeg.size() - std::min(segment->payloadAt(), jpeg.size())));
        if (ExifOrientation::isExif(payload) && ExifOrientation::fromApp1(payload).tag() != 1)
            return false;
    }
    return true;
}

// The picture page's JPEG decoded by our own reader, as any JPEG page is; nothing when it does
// not give the picture the page draws, which is then drawn.
std::optional<DecodedPicture> decodedPicture(const PdfPicturePage& page, const ScaledSizeOf& scaledSize)
{
    if (page.jpeg.isEmpty() || !storedUpright(page.jpeg))
        return std::nullopt;
    QBuffer bytes;
    bytes.setData(page.jpeg);
    if (!bytes.open(QIODevice::ReadOnly))
        return std::nullopt;
    DecodedPicture picture = jpegPageReader.decode(bytes, {}, scaledSize);
    if (!picture.isValid() || picture.pictureSize() != page.pixels)
        return std::nullopt;
    return picture;
}

// Asked by poppler every few drawing operations whether to give up: when the deadline the
// payload holds, in nanoseconds of the steady clock, has passed.
bool pastDeadline(const QVariant& deadline)
{
    return std::chrono::steady_clock::now().time_since_epoch().count() > deadline.toLongLong();
}

} // namespace

PdfPageRenderer::PdfPageRenderer(std::shared_ptr<PdfDocuments> documents,
                                 std::shared_ptr<PdfPicturePages> pictures, int index,
                                 std::chrono::milliseconds drawingLimit)
    : m_documents(std::move(documents)), m_pictures(std::move(pictures)), m_index(index),
      m_drawingLimit(drawingLimit)
{
}

DecodedPicture PdfPageRenderer::render(const ScaledSizeOf& scaledSize) const
{
    // A page that is one JPEG is decoded as a JPEG page is, fastest of all; at the size drawn
    // when stretched, as the reader scales it. One larger than a drawn page may be is drawn,
    // smaller.
    const std::optional<PdfPicturePage> picturePage = m_pictures->pageAt(m_index, PictureBytes::Take);
    if (picturePage && withinPictureCap(picturePage->pixels) == picturePage->pixels) {
        if (std::optional<DecodedPicture> decoded = decodedPicture(*picturePage, scaledSize))
            return std::move(*decoded);
    }
    // What the page claims is judged before poppler is asked to draw any of it.
    if (const QString overweight = m_pictures->overweightOf(m_index); !overweight.isEmpty())
        return failure(overweight);
    const PdfDocuments::Use document = m_documents->take();
    if (!document.get())
        return failure(QStringLiteral("cannot open the PDF"));
    const std::unique_ptr<Poppler::Page> page = document->page(m_index);
    if (!page)
        return failure(QStringLiteral("the PDF has no such page"));
    const QSizeF points = page->pageSizeF();
    const QSize actual = withinPictureCap(picturePage ? picturePage->pixels : pdfPageActualSize(points));
    if (actual.isEmpty())
        return failure(QStringLiteral("the page has no size"));
    const QSize drawn = scaledSize ? scaledSize(actual) : QSize();
    const QSize pixels = withinPictureCap(drawn.isEmpty() ? actual : drawn);
    // The page drawn at size, or nothing when it cannot be, or is still being drawn at limit.
    bool late = false;
    const auto draw = [&](QSize size, std::chrono::milliseconds limit) {
        const std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::now() + limit;
        QImage image =
            page->renderToImage(72.0 * size.width() / points.width(), 72.0 * size.height() / points.height(),
                                0, 0, size.width(), size.height(), Poppler::Page::Rotate0, nullptr, nullptr,
                                pastDeadline, QVariant(qlonglong(deadline.time_since_epoch().count())));
        late = std::chrono::steady_clock::now() > deadline;
        return late ? QImage() : image;
    };
    QImage image = draw(pixels, m_drawingLimit);
    // Drawing takes the longer the more pixels there are to fill: a page too heavy to draw in
    // time at its size is drawn once more at half its sides, in half the time, and shown
    // enlarged rather than not at all.
    const bool drawnSmaller = late && !(pixels / 2).isEmpty();
    if (drawnSmaller)
        image = draw(pixels / 2, m_drawingLimit / 2);
    if (image.isNull()) {
        return failure(
            late ? QStringLiteral("drawing the page took longer than %1 ms").arg(m_drawingLimit.count())
                 : QStringLiteral("cannot draw the page"));
    }
    DecodedPicture picture{image, QString()};
    // Drawn smaller for want of time, the page is that smaller picture: asked for again at
    // its size, it would only be as late again.
    if (drawnSmaller)
        return picture;
    if (image.size() != actual)
        picture.size = actual;
    if (!drawn.isEmpty())
        picture.scaled = image;
    return picture;
}

} // namespace ruvo
