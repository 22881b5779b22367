#pragma once

#include <QIODevice>
#include <QString>
#include <memory>

namespace ruvo {

// Where the bytes of a page come from: a file on disk, or a member of an archive.
// Nothing that decodes a page assumes a path on disk; it reads the bytes this opens.
class PageSource
{
public:
    virtual ~PageSource() = default;
    // The page's bytes, opened for reading from the start, with a known size; null, with
    // the reason in error, when they cannot be read.
    virtual std::unique_ptr<QIODevice> open(QString* error) const = 0;
    // Whether the page is a member of an archive, which may also hold PNG, WebP, AVIF and
    // JPEG XL pages.
    virtual bool inArchive() const { return false; }
};

} // namespace ruvo
