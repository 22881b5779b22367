#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>

namespace ruvo::test {

// How an AVIF of a test's own pixels is written.
struct AvifSpec
{
    // Bits a sample: 8, 10 or 12.
    int depth = 8;
    // Written without loss (4:4:4, the identity matrix, quantizer 0), so that every pixel comes
    // back as it went in; otherwise lightly compressed, 4:2:0 unless chroma444.
    bool lossless = false;
    bool chroma444 = false;
    // AV1's quantizer, 0 to 63, when not lossless.
    int quantizer = 10;
    // Its irot box, quarter turns anticlockwise (none when negative), and its imir box
    // (0: top and bottom exchanged, 1: left and right; none when negative).
    int quarterTurns = -1;
    int mirrorMode = -1;
    // Its colour primaries and transfer characteristics (ITU-T H.273), and an ICC profile,
    // which stands instead when it is given.
    int colourPrimaries = 1;
    int transfer = 13;
    QByteArray iccProfile = QByteArray();
};

// The frames written by libavif's encoder as a still AVIF (one) or an AVIF sequence (more),
// alpha kept where the first frame has any.
QByteArray avifOf(const QList<QImage>& frames, const AvifSpec& spec = {});

// The AVIF with every box of the type (its four letters) that carries a width and height after
// its version and flags (ispe) claiming the size given.
QByteArray withAvifExtent(QByteArray avif, quint32 width, quint32 height);

// An AVIF grid of 2 by 2 cells, each coded as 64 by 64 pixels of one colour (red, green, blue
// and white, row by row) and claiming the size given in its ispe box, the grid claiming twice
// that size each way in its own: where the cells claim 64 by 64, a true picture of 128 by 128.
QByteArray avifGridClaiming(QSize cell);

} // namespace ruvo::test
