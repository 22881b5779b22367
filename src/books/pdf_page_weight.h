#pragma once

#include <QString>

class Page;

namespace ruvo {

// Whether drawing a PDF page would ask for more than any page may take, judged from what the
// file claims before poppler is asked to draw it: the pictures the page and the forms it draws
// hold (their sizes, and the pixels their stored bytes can describe), and the bytes its
// contents unpack to. The reason when it would; empty when it keeps to the limits.
//
// Poppler unpacks a picture or a content stream whole as it draws it, and checks whether to
// give up only between drawing operations: a picture of 400 million pixels, or contents that
// unpack to a gigabyte of nothing, hold it for many seconds and gigabytes whatever the size
// the page is drawn at.
QString pdfPageOverweight(Page& page);

} // namespace ruvo
