#pragma once

#include "page_picture.h"

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace ruvo::bench {

// One PDF library's way to a document's pages, as far as a book of pages needs it. Pages
// are counted from 0; an object is used by one thread at a time.
class PdfPages
{
public:
    virtual ~PdfPages() = default;
    virtual bool open(const QString& path) = 0;
    virtual int count() = 0;
    // In points; empty when the page cannot be read.
    virtual QSizeF pointSize(int index) = 0;
    // The whole page drawn into exactly these pixels; null when it cannot be drawn.
    virtual QImage render(int index, QSize pixels) = 0;
    virtual PagePicture picture(int index) = 0;
};

} // namespace ruvo::bench
