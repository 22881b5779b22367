#pragma once

#include "books/archive_members.h"
#include "imaging/page_source.h"

#include <memory>

namespace ruvo {

// A page that is a member of an archive, read through the archive's book: its bytes are
// unpacked into memory when it is opened, up to the bytes a page may take.
class ArchivePageSource : public PageSource
{
public:
    ArchivePageSource(std::shared_ptr<ArchiveMembers> book, QString memberPath)
        : m_book(std::move(book)), m_memberPath(std::move(memberPath))
    {
    }

    std::unique_ptr<QIODevice> open(QString* error) const override;
    PageFormats formats() const override { return PageFormats::All; }

private:
    std::shared_ptr<ArchiveMembers> m_book;
    QString m_memberPath;
};

} // namespace ruvo
