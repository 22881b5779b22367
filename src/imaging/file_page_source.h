#pragma once

#include "imaging/page_source.h"

namespace ruvo {

// A page that is a plain file on disk, by its path (native bytes kept). A folder, a FIFO or
// a device is not a page: it is refused without being read.
class FilePageSource : public PageSource
{
public:
    FilePageSource(QString path, PageFormats formats) : m_path(std::move(path)), m_formats(formats) {}

    std::unique_ptr<QIODevice> open(QString* error) const override;
    PageFormats formats() const override { return m_formats; }

private:
    QString m_path;
    PageFormats m_formats;
};

} // namespace ruvo
