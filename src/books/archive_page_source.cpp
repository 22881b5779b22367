#include "books/archive_page_source.h"

#include "books/archive_reader.h"
#include "books/member_paths.h"
#include "imaging/picture_limits.h"

#include <QBuffer>

namespace ruvo {

std::unique_ptr<QIODevice> ArchivePageSource::open(QString* error) const
{
    const auto refuse = [&](const QString& reason) -> std::unique_ptr<QIODevice> {
        if (error)
            *error = reason;
        return nullptr;
    };
    if (!isPageMember(m_memberPath))
        return refuse(QStringLiteral("not a page of the archive"));
    ArchiveReader reader(m_archivePath);
    for (;;) {
        const ArchiveReader::Step step = reader.next();
        if (step == ArchiveReader::Step::End)
            return refuse(QStringLiteral("file not found"));
        if (step == ArchiveReader::Step::Failed)
            return refuse(reader.error());
        if (!reader.isRegularFile() || reader.path() != m_memberPath)
            continue;
        std::optional<QByteArray> bytes = reader.readData(kArchivePageMaxBytes, error);
        if (!bytes)
            return nullptr;
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(std::move(*bytes));
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    }
}

} // namespace ruvo
