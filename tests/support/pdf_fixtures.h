#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace ruvo::test {

// A page of a test PDF: one colour over the whole page.
struct PdfPageSpec
{
    QColor color;
    // The page's size in points.
    QSizeF points;
    // For a picture page, the JPEG's pixels.
    QSize pixels = QSize(40, 30);
};

// A PDF of picture pages, as a comic's: one JPEG of our own pixels over each whole page,
// put together by img2pdf. Empty, and the test fails, when it cannot be made.
QByteArray picturePdf(const QList<PdfPageSpec>& pages);

// A PDF of vector pages, each a rectangle filled over the whole page, written by Qt.
QByteArray vectorPdf(const QList<PdfPageSpec>& pages);

// The PDF encrypted by qpdf with a password a reader must give to open it.
QByteArray encryptedPdf(const QByteArray& pdf);

// A picture's JPEG, which tells its dots per inch.
QByteArray jpegOf(const QImage& picture, int dotsPerInch);

// A PDF of one page made by img2pdf from a picture file's bytes (suffix names its format): the
// picture over the whole page, the page as large as the picture at its dots per inch.
QByteArray imageFilePdf(const QByteArray& picture, const QString& suffix);

// A PDF of one page of the given size in points written by Qt: the picture over the whole page
// and a line of text over it.
QByteArray pictureAndTextPdf(const QImage& picture, QSizeF points);

// The PDF with its pages turned a quarter clockwise by qpdf.
QByteArray turnedPdf(const QByteArray& pdf);

// A PDF written here object by object: objects holds the bodies of objects 1, 2, ... in
// order (a body of none is left out of the file, though the table of objects counts it). The
// first is the catalogue.
QByteArray handMadePdf(const QList<QByteArray>& objects);

// A PDF of one page of the given size in points written here, as a scanned comic's: the JPEG,
// of the given pixels, drawn over the whole page and nothing else.
QByteArray handMadeScanPdf(const QByteArray& jpeg, QSize pixels, QSizeF points);

// A PDF of three vector pages of 30 by 20 points, red, then as secondPage says, then blue:
// secondPage is the second page's object, which may be no page at all. The pages' colours
// are drawn by content streams 3 (red) and 7 (blue); more are objects 8 on, for secondPage to
// refer to.
QByteArray threePagePdf(const QByteArray& secondPage, const QList<QByteArray>& more = {});

// A PDF of that many vector pages of 30 by 20 points, all filled in one colour by one content
// stream they share: made in a moment whatever the count.
QByteArray manyPagePdf(int pages, QColor color);

} // namespace ruvo::test
