#pragma once

#include "books/book.h"
#include "books/page_names.h"

namespace ruvo {

class FileServices;

// A folder opened as a book: its picture files of the formats given, hidden ones left out,
// listed when it opens.
// A folder that cannot be read is a book of no pages that says why; one that is gone, a book
// of no pages.
class FolderBook : public Book
{
public:
    // The folder's pages in the order given.
    FolderBook(QString folder, const FileServices& files, NameOrder order, PageFormats formats);

    const QString& location() const override { return m_folder; }
    bool isArchive() const override { return false; }
    BookFailure failure() const override { return m_failure; }
    const QStringList& pageNames() const override { return m_names; }
    bool hasPage(const QString& name) const override;
    bool isCurrent() const override { return true; }
    std::unique_ptr<PageSource> sourceOf(const QString& name) const override;
    FileStamp stampOf(const QString& name) const override;
    QString pathOf(const QString& name) const override;

protected:
    std::optional<PageFacts> readFacts(const QString& name) const override;

private:
    const QString m_folder;
    const FileServices& m_files;
    const PageFormats m_formats;
    QStringList m_names;
    BookFailure m_failure = BookFailure::None;
};

} // namespace ruvo
