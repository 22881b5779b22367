#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace ruvo::test {

// A placeable WMF whose box runs from (0, 0) to box, at unitsPerInch, holding
// one rectangle filled with colour and drawn without an outline.
QByteArray placeableWmfWithRectangle(QSize box, int unitsPerInch, QRect rectangle, QColor colour);

// The same with a box anywhere; setsWindow false leaves out the records
// that set the window to the box, as some writers do.
QByteArray placeableWmfWithRectangleIn(QRect box, int unitsPerInch, QRect rectangle, QColor colour,
                                       bool setsWindow);

// A placeable WMF whose records set a window of their own, in units other than the box's,
// and no mapping mode, as equation editors write them; the rectangle is in the window's units.
QByteArray placeableWmfWithOwnWindow(QRect box, int unitsPerInch, QRect window, QRect rectangle,
                                     QColor colour);

// A record of a metafile: its function and parameter words.
struct WmfRecord
{
    quint16 function = 0;
    QList<quint16> parameters;
};

// placeableWmfWithRectangle's picture, 2880 by 1440 units at 1440 an inch, with the records
// played before its rectangle; they may use three objects, and leave none behind.
QByteArray placeableWmfWithRecordsBefore(const QList<WmfRecord>& records, QRect rectangle, QColor colour);

// The same picture without the placeable header: its window is set to extent.
QByteArray standardWmfWithRectangle(QSize extent, QRect rectangle, QColor colour);

// A placeable WMF, 1000 units square at 1000 units an inch, using most of what
// the player draws: pens, hatched and bitmap brushes, every kind of shape,
// text, a bitmap, a region and clipping.
QByteArray richWmf();

// An EMF written by libEMF: a frame of the given size in hundredths of a
// millimetre, holding one rectangle filled with colour. The rectangle is
// given as a fraction of the frame (0..1 on both axes).
QByteArray emfWithRectangle(QSize frame, QRectF rectangleInFrame, QColor colour);

// An EMF written by libEMF using pens, brushes, shapes, a path and text, with a
// 4x4 bitmap stretched over (100, 120, 40, 40) in the reference device's pixels.
QByteArray richEmf();

// An EMF written by libEMF holding the given number of small filled
// rectangles, spread over a frame of the given size in hundredths of a millimetre.
QByteArray busyEmf(QSize frame, int rectangles);

// An EMF written by libEMF whose text is given as glyph numbers, as printer
// drivers and layout engines often record it, next to a filled rectangle
// covering the middle of the frame.
QByteArray emfWithGlyphIndexText(QColor colour);

// An EMF written by libEMF whose header gives bounds (in the reference
// device's pixels) and frame (in hundredths of a millimetre) as asked, however
// they disagree. The drawing fills the bounds with fill and their top left
// quarter, each way, with corner.
QByteArray emfWithBounds(QRect bounds, QRect frame, QColor fill, QColor corner);

// The EMF with the record put in front of its end-of-file record, the header's byte and
// record counts kept true.
QByteArray emfWithRecordBeforeEnd(QByteArray emf, const QByteArray& record);

// emfWithRectangle's picture, (0.25, 0.25, 0.5, 0.5) filled with colour, with
// an 8-bit bitmap of side by side pixels stretched over its top left corner,
// whose colour table of the given number of entries is read as usage says:
// 0 colours, 1 indices into the palette, 2 none at all.
QByteArray emfWithPaletteBitmap(quint32 usage, QColor colour, int side = 32, int entries = 256);

// emfWithRectangle's picture, (0.25, 0.25, 0.5, 0.5) filled with colour, with a bitmap
// stretched over its top left corner that holds the picture whole, as the compression says
// (4 for a JPEG, 5 for a PNG).
QByteArray emfWithEmbeddedPicture(const QByteArray& picture, quint32 compression, QColor colour);

// An EMF written by libEMF with the given number of texts, empty or not, in a
// font of height zero, and a rectangle filled with colour from (40, 20) to
// (120, 60) of the reference device's pixels.
QByteArray emfWithZeroSizeText(int texts, QColor colour);

} // namespace ruvo::test
