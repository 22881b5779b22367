#pragma once

#include <QString>

#include <memory>
#include <mutex>
#include <vector>

namespace Poppler {
class Document;
}

namespace ruvo {

// The documents a PDF book is read through. A poppler document is never used from two threads
// at once: each use takes one of them alone and hands it back, and a new one is opened when
// none is free. Nothing is ever written into or beside the file.
class PdfDocuments
{
public:
    // How many free documents are kept for the next use; more are closed as they come back.
    static constexpr std::size_t keptFree = 2;

    // One document taken, handed back when this goes.
    class Use
    {
    public:
        Use(PdfDocuments& documents, std::unique_ptr<Poppler::Document> document);
        ~Use();
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        // Null when the file could not be opened as a PDF.
        Poppler::Document* operator->() const { return m_document.get(); }
        Poppler::Document* get() const { return m_document.get(); }

    private:
        PdfDocuments& m_documents;
        std::unique_ptr<Poppler::Document> m_document;
    };

    explicit PdfDocuments(QString path);
    ~PdfDocuments();

    // A document to use alone until the Use goes: a free one, or one opened now.
    Use take();

private:
    std::unique_ptr<Poppler::Document> open() const;
    void giveBack(std::unique_ptr<Poppler::Document> document);

    const QString m_path;
    std::mutex m_mutex;
    std::vector<std::unique_ptr<Poppler::Document>> m_free;
};

} // namespace ruvo
