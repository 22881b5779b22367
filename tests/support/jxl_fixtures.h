#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>

namespace ruvo::test {

// How a JPEG XL of a test's own pixels is written.
struct JxlSpec
{
    // Bits a sample: 8 to 16.
    int bits = 8;
    // Written without loss, in the pictures' own colour space; otherwise in XYB, at the distance
    // given (1 is libjxl's own default, lower is closer).
    bool lossless = true;
    float distance = 0.5f;
    // The EXIF orientation (1 to 8) the codestream declares: the pixels given are stored as
    // they are, and are to be turned as it says.
    int orientation = 1;
    // Written inside the container's boxes rather than as a bare codestream.
    bool container = false;
    // Grey pixels, one channel (alpha besides, when the frames have it).
    bool grey = false;
    // The colour profile of the pixels given; sRGB when empty.
    QByteArray iccProfile = QByteArray();
};

// The frames written by libjxl's encoder: a still picture (one) or an animation (more), alpha
// kept where the first frame has any.
QByteArray jxlOf(const QList<QImage>& frames, const JxlSpec& spec = {});

// A bare codestream's header alone, as libjxl reads it: the size header claiming the size
// given, then the image metadata's "all default" bit.
QByteArray jxlHeaderClaiming(QSize size);

} // namespace ruvo::test
