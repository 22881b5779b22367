#include "books/pdf_page_renderer.h"

#include "books/pdf_documents.h"
#include "books/pdf_page_size.h"
#include "imaging/readers/page_reading.h"

#include <poppler-qt6.h>

namespace ruvo {

PdfPageRenderer::PdfPageRenderer(std::shared_ptr<PdfDocuments> documents, int index)
    : m_documents(std::move(documents)), m_index(index)
{
}

DecodedPicture PdfPageRenderer::render(const ScaledSizeOf& scaledSize) const
{
    const PdfDocuments::Use document = m_documents->take();
    if (!document.get())
        return failure(QStringLiteral("cannot open the PDF"));
    const std::unique_ptr<Poppler::Page> page = document->page(m_index);
    if (!page)
        return failure(QStringLiteral("the PDF has no such page"));
    const QSizeF points = page->pageSizeF();
    const QSize actual = pdfPageActualSize(points);
    if (actual.isEmpty())
        return failure(QStringLiteral("the page has no size"));
    const QSize drawn = scaledSize ? scaledSize(actual) : QSize();
    const QSize pixels = withinPictureCap(drawn.isEmpty() ? actual : drawn);
    QImage image =
        page->renderToImage(72.0 * pixels.width() / points.width(), 72.0 * pixels.height() / points.height(),
                            0, 0, pixels.width(), pixels.height());
    if (image.isNull())
        return failure(QStringLiteral("cannot draw the page"));
    DecodedPicture picture{image, QString()};
    if (image.size() != actual)
        picture.size = actual;
    if (!drawn.isEmpty())
        picture.scaled = image;
    return picture;
}

} // namespace ruvo
