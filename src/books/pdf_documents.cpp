#include "books/pdf_documents.h"

#include <poppler-qt6.h>

namespace ruvo {

PdfDocuments::Use::Use(PdfDocuments& documents, std::unique_ptr<Poppler::Document> document)
    : m_documents(documents), m_document(std::move(document))
{
}

PdfDocuments::Use::~Use()
{
    if (m_document)
        m_documents.giveBack(std::move(m_document));
}

PdfDocuments::PdfDocuments(QString path) : m_path(std::move(path))
{
    // A damaged PDF makes poppler complain on the terminal; the book's failure, or the page's
    // error, says all that is to be said. Setting it more than once is harmless.
    static const bool quiet = [] {
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
        return true;
    }();
    Q_UNUSED(quiet);
}

PdfDocuments::~PdfDocuments() = default;

PdfDocuments::Use PdfDocuments::take()
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_free.empty()) {
            std::unique_ptr<Poppler::Document> document = std::move(m_free.back());
            m_free.pop_back();
            return Use(*this, std::move(document));
        }
    }
    // Opened outside the lock: other pages go on being drawn meanwhile.
    return Use(*this, open());
}

std::unique_ptr<Poppler::Document> PdfDocuments::open() const
{
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(m_path);
    if (!document)
        return nullptr;
    document->setRenderHint(Poppler::Document::Antialiasing, true);
    document->setRenderHint(Poppler::Document::TextAntialiasing, true);
    return document;
}

void PdfDocuments::giveBack(std::unique_ptr<Poppler::Document> document)
{
    std::unique_lock lock(m_mutex);
    if (m_free.size() < keptFree)
        m_free.push_back(std::move(document));
    lock.unlock();
}

} // namespace ruvo
