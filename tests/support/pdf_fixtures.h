#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QSize>
#include <QSizeF>

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

} // namespace ruvo::test
