#pragma once

#include "imaging/picture_formats.h"

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
    // The formats the page is told among: every one for a member of an archive, and for a
    // file those of the book it is in.
    virtual PageFormats formats() const = 0;
};

} // namespace ruvo
