#pragma once

#include "imaging/page_source.h"

#include <QBuffer>
#include <QByteArray>

#include <memory>

namespace ruvo::test {

// A page held in memory, as a member read out of an archive would be.
class BytesPageSource : public PageSource
{
public:
    explicit BytesPageSource(QByteArray bytes, bool inArchive = false)
        : m_bytes(std::move(bytes)), m_inArchive(inArchive)
    {
    }

    std::unique_ptr<QIODevice> open(QString* error) const override
    {
        Q_UNUSED(error);
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(m_bytes);
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    }
    bool inArchive() const override { return m_inArchive; }

private:
    QByteArray m_bytes;
    bool m_inArchive;
};

} // namespace ruvo::test
