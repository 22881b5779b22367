#pragma once

#include "imaging/page_source.h"

namespace ruvo {

// A page that is a member of an archive file: its bytes are unpacked into memory when it is
// opened, up to the bytes a page may take.
class ArchivePageSource : public PageSource
{
public:
    ArchivePageSource(QString archivePath, QString memberPath)
        : m_archivePath(std::move(archivePath)), m_memberPath(std::move(memberPath))
    {
    }

    std::unique_ptr<QIODevice> open(QString* error) const override;
    bool inArchive() const override { return true; }

private:
    QString m_archivePath;
    QString m_memberPath;
};

} // namespace ruvo
