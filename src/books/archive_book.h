#pragma once

#include "books/book.h"
#include "platform/file_stamp.h"

#include <QSet>

namespace ruvo {

class ArchiveMembers;

// An archive file opened as a book: its index, read once when it opens, and its members,
// read through the one ArchiveMembers the program keeps for the archive.
class ArchiveBook : public Book
{
public:
    // How much of a page is unpacked to read its facts.
    static constexpr qint64 factsHeadBytes = 64 * 1024;

    ArchiveBook(QString archive, std::shared_ptr<ArchiveMembers> members);

    const QString& location() const override { return m_archive; }
    bool isArchive() const override { return true; }
    BookFailure failure() const override { return m_failure; }
    const QStringList& pageNames() const override { return m_names; }
    bool hasPage(const QString& name) const override { return m_listed.contains(name); }
    bool isCurrent() const override;
    std::unique_ptr<PageSource> sourceOf(const QString& name) const override;
    FileStamp stampOf(const QString& name) const override;
    QString pathOf(const QString& name) const override;

protected:
    std::optional<PageFacts> readFacts(const QString& name) const override;

private:
    const QString m_archive;
    const std::shared_ptr<ArchiveMembers> m_members;
    BookFailure m_failure = BookFailure::None;
    FileStamp m_stamp;
    QStringList m_names;
    QSet<QString> m_listed;
};

} // namespace ruvo
