#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

namespace ruvo {

// A PDF page that is one picture drawn over the whole page, as the pages of a comic made from
// scans are: shown at actual size at the picture's own pixels rather than at 96 dots per inch.
struct PdfPicturePage
{
    // The picture's size in pixels, as the page stands once turned as it asks.
    QSize pixels;
    // The picture's JPEG bytes as the file holds them, when decoding them gives the page's
    // pixels as they are drawn: a JPEG alone (no decode array, no mask) of RGB or grey, on a
    // page that is not turned, in a file that is not encrypted. Empty otherwise, or when they
    // were not asked for; the page is then drawn.
    QByteArray jpeg;
};

// Whether the picture's bytes are read along with what the page is.
enum class PictureBytes
{
    Leave,
    Take
};

// The page at index (from 0) of the PDF at path, when it is one picture drawn over the whole
// page; nothing for any other page, and for a file that cannot be read. The test is
// conservative: the page's resources hold one image and no fonts, and its contents are short
// and only draw that image upright over the page's visible area.
//
// The file is opened afresh with poppler's core for each call and used on the caller's thread
// alone, so calls may be made on any number of threads at once; see the source for the rules
// of poppler's core this keeps to.
std::optional<PdfPicturePage> picturePageOf(const QString& path, int index, PictureBytes bytes);

} // namespace ruvo
