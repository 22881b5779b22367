#pragma once

#include "imaging/page_source.h"

namespace ruvo {

// A page that is a plain file on disk, by its path (native bytes kept). A folder, a FIFO or
// a device is not a page: it is refused without being read.
class FilePageSource : public PageSource
{
public:
    explicit FilePageSource(QString path) : m_path(std::move(path)) {}

    std::unique_ptr<QIODevice> open(QString* error) const override;

private:
    QString m_path;
};

} // namespace ruvo
