#include "books/pdf_book.h"

#include "books/archive_page_path.h"
#include "books/pdf_documents.h"
#include "books/pdf_page_renderer.h"
#include "books/pdf_page_size.h"
#include "books/pdf_picture_page.h"

#include <poppler-qt6.h>

namespace ruvo {

namespace {

// Where a PDF page's bytes would be read from: nowhere, as it is drawn.
class DrawnPageSource : public PageSource
{
public:
    std::unique_ptr<QIODevice> open(QString* error) const override
    {
        if (error)
            *error = QStringLiteral("a PDF page is drawn, not read");
        return nullptr;
    }
    PageFormats formats() const override { return PageFormats::All; }
};

} // namespace

PdfBook::PdfBook(QString pdf, std::chrono::milliseconds drawingLimit)
    : m_pdf(std::move(pdf)), m_documents(std::make_shared<PdfDocuments>(m_pdf)),
      m_pictures(std::make_shared<PdfPicturePages>(m_pdf)), m_drawingLimit(drawingLimit),
      m_stamp(fileStampOf(m_pdf))
{
    const PdfDocuments::Use document = m_documents->take();
    if (!document.get()) {
        m_failure = BookFailure::Damaged;
        return;
    }
    if (document->isLocked()) {
        m_failure = BookFailure::Encrypted;
        return;
    }
    const int count = document->numPages();
    if (count <= 0) {
        m_failure = BookFailure::Damaged;
        return;
    }
    m_names.reserve(count);
    for (int number = 1; number <= count; ++number)
        m_names.append(QString::number(number));
}

PdfBook::~PdfBook() = default;

bool PdfBook::isCurrent() const
{
    return fileStampOf(m_pdf) == m_stamp;
}

std::unique_ptr<PageSource> PdfBook::sourceOf(const QString&) const
{
    return std::make_unique<DrawnPageSource>();
}

FileStamp PdfBook::stampOf(const QString&) const
{
    return fileStampOf(m_pdf);
}

QString PdfBook::pathOf(const QString& name) const
{
    return archivePagePath(m_pdf, name);
}

std::unique_ptr<PageRenderer> PdfBook::rendererOf(const QString& name) const
{
    const int index = indexOf(name);
    if (index < 0)
        return nullptr;
    return std::make_unique<PdfPageRenderer>(m_documents, m_pictures, index, m_drawingLimit);
}

std::optional<PageFacts> PdfBook::readFacts(const QString& name) const
{
    const int index = indexOf(name);
    if (index < 0)
        return std::nullopt;
    if (const std::optional<PdfPicturePage> picture = m_pictures->pageAt(index, PictureBytes::Leave))
        return PageFacts{withinPictureCap(picture->pixels), PictureFormat::Pdf};
    const PdfDocuments::Use document = m_documents->take();
    if (!document.get())
        return std::nullopt;
    const std::unique_ptr<Poppler::Page> page = document->page(index);
    const QSize size = page ? withinPictureCap(pdfPageActualSize(page->pageSizeF())) : QSize();
    if (size.isEmpty())
        return std::nullopt;
    return PageFacts{size, PictureFormat::Pdf};
}

int PdfBook::indexOf(const QString& name) const
{
    bool isNumber = false;
    const int number = name.toInt(&isNumber);
    if (!isNumber || number < 1 || number > m_names.size() || m_names.at(number - 1) != name)
        return -1;
    return number - 1;
}

} // namespace ruvo
