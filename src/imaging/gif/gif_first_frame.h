#pragma once

#include "imaging/gif/gif_screen.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace ruvo {

// The first frame of a GIF drawn from several image blocks (the screen's firstFrame), as GIF
// renderers compose it: on a transparent screen, each block in turn over what is there, with
// its own transparency, and disposed of as it asks before the next one is drawn. The frame
// ends before a block that would paint over a pixel an earlier block painted, which is the
// next frame of an animation rather than a tile of the picture (see GifScreen). Reading stops
// at a block that cannot be read; when that is the first, the result is null and the error
// says why. A block is read only when the file's data can hold its pixels (mostPixels for the
// whole file), and nothing is allocated when the canvas or the first block is larger than that.
QImage composedFirstFrame(QByteArrayView gif, const GifScreen& screen, qint64 mostPixels, QString* error);

} // namespace ruvo
