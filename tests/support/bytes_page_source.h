#pragma once

#include "imaging/page_source.h"

#include <QBuffer>
#include <QByteArray>

#include <memory>

namespace ruvo::test {

// A page held in memory, as a member read out of an archive would be, told among the
// formats given.
class BytesPageSource : public PageSource
{
public:
    explicit BytesPageSource(QByteArray bytes, PageFormats formats = PageFormats::Basic)
        : m_bytes(std::move(bytes)), m_formats(formats)
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
    PageFormats formats() const override { return m_formats; }

private:
    QByteArray m_bytes;
    PageFormats m_formats;
};

} // namespace ruvo::test
