#include "books/archive_page_source.h"

#include <QBuffer>

namespace ruvo {

std::unique_ptr<QIODevice> ArchivePageSource::open(QString* error) const
{
    std::optional<QByteArray> bytes = m_book->read(m_memberPath, error);
    if (!bytes)
        return nullptr;
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(std::move(*bytes));
    buffer->open(QIODevice::ReadOnly);
    return buffer;
}

} // namespace ruvo
