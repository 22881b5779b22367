#pragma once

#include <QByteArray>
#include <QSize>

namespace ruvo::bench {

// The JPEG a page is made of, as the document holds it, and its own pixels; empty when the
// page is not one picture and nothing else.
struct PagePicture
{
    QByteArray jpeg;
    QSize pixels;
};

} // namespace ruvo::bench
