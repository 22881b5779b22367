#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace ruvo {

// What an enhanced metafile's header says about its picture.
struct EmfLayout
{
    // Drawn area in the recording device's pixels, edges included.
    QRect bounds;
    // Picture frame in hundredths of a millimetre, edges included.
    QRect frame;
    QSize deviceSize;
    QSize deviceMillimetres;
    // Offsets of text records whose characters are glyph numbers in a font.
    QList<qint64> glyphIndexText;
    // Offsets of records that fail their own checks: the converter must not see them, and
    // the rest of the picture is drawn without them, as Windows plays such a file.
    QList<qint64> skipped;
    // The records up to and including the end-of-file record: how many, and
    // how many bytes they take. Whatever follows is not part of the picture.
    qint64 records = 0;
    qint64 length = 0;
};

} // namespace ruvo
