#pragma once

#include "books/book.h"
#include "books/pdf_page_renderer.h"
#include "platform/file_stamp.h"

namespace ruvo {

class PdfDocuments;
class PdfPicturePages;

// A PDF file opened as a book: its pages in the document's order, named by their numbers from
// "1", unpadded. Its pages are drawn rather than decoded (see rendererOf()), each through a
// document of its own for the while, so that pages are drawn on several threads at once.
class PdfBook : public Book
{
public:
    // Each page is given up as damaged when drawing it takes longer than drawingLimit; see
    // PdfPageRenderer.
    explicit PdfBook(QString pdf,
                     std::chrono::milliseconds drawingLimit = PdfPageRenderer::defaultDrawingLimit);
    ~PdfBook() override;

    const QString& location() const override { return m_pdf; }
    // A book in one file, whose pages' paths go on inside it, as an archive's do.
    bool isArchive() const override { return true; }
    BookFailure failure() const override { return m_failure; }
    const QStringList& pageNames() const override { return m_names; }
    bool hasPage(const QString& name) const override { return indexOf(name) >= 0; }
    bool isCurrent() const override;
    // A PDF page has no bytes of its own to decode: its source only tells so.
    std::unique_ptr<PageSource> sourceOf(const QString& name) const override;
    FileStamp stampOf(const QString& name) const override;
    QString pathOf(const QString& name) const override;
    std::unique_ptr<PageRenderer> rendererOf(const QString& name) const override;

protected:
    // The page's size: a page that is one picture over the whole page, the picture's; any
    // other, 96 dots per inch of its size in points. Nothing is drawn.
    std::optional<PageFacts> readFacts(const QString& name) const override;

private:
    // The named page's index from 0; -1 for a name that is no page's.
    int indexOf(const QString& name) const;

    const QString m_pdf;
    const std::shared_ptr<PdfDocuments> m_documents;
    const std::shared_ptr<PdfPicturePages> m_pictures;
    const std::chrono::milliseconds m_drawingLimit;
    BookFailure m_failure = BookFailure::None;
    FileStamp m_stamp;
    QStringList m_names;
};

} // namespace ruvo
