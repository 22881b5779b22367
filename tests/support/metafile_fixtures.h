#pragma once

#include <QByteArray>
#include <QColor>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace ruvo::test {

// A placeable WMF whose box runs from (0, 0) to box, at unitsPerInch, holding
// one rectangle filled with colour and drawn without an outline.
QByteArray placeableWmfWithRectangle(QSize box, int unitsPerInch, QRect rectangle, QColor colour);

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

} // namespace ruvo::test
