#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>

#include <optional>

namespace ruvo {

// Where a GIF's logical screen size starts, and how long a graphic control extension is.
inline constexpr qsizetype kGifScreenSizeAt = 6;
inline constexpr qsizetype kGifGraphicControlBytes = 8;

// One image block of a GIF: where it lies on the logical screen, where its bytes are, and what
// its graphic control extension asks of it.
struct GifImageBlock
{
    QRect place;
    // Its graphic control extension, or -1 without one.
    qsizetype controlAt = -1;
    qsizetype descriptorAt = 0;
    // Just past the end of its data; 0 when the bytes end inside it.
    qsizetype end = 0;
    // How it is disposed of before the next block is drawn: 2 restores the background,
    // 3 what was there before it.
    int disposal = 0;
    // Whether it asks for a delay after it is drawn, which ends the first frame.
    bool delayed = false;
};

// A GIF's logical screen and the image blocks its first frame may be drawn from.
//
// The blocks of a GIF are either the frames of an animation, of which browsers show the first
// block, over the logical screen, as the first picture, or the tiles of one still picture, each
// with a colour table of its own so that the whole has more than 256 colours, drawn one after
// the other with no delay (or delays of zero) between them. Nothing in a file says which for
// certain, so the blocks are taken as tiles of one picture only as far as the file allows:
// - the loop extension (NETSCAPE2.0) is an animation's: there the first frame is the first
//   block alone;
// - otherwise the first block that asks for a delay is the last of the first frame;
// - and a block that would paint over what an earlier block of the frame painted starts the
//   next frame (see composedFirstFrame): tiles each fill a part of the picture of their own,
//   while an animation's frames draw over each other. That is what tells a GIF87a animation,
//   or one without any delay, which has neither extension, from a tiled still.
struct GifScreen
{
    QSize size;
    // The header and the global colour table: the bytes every block is read with.
    qsizetype headBytes = 0;
    // In order: the first block, then, without a loop extension, each whole block after it up
    // to the first that asks for a delay, at most kGifFirstFrameMaxBlocks of them and
    // kPictureMaxPixels in all.
    QList<GifImageBlock> firstFrame;
};

// The logical screen's size, from a GIF's first bytes; nothing when they end before it.
std::optional<QSize> gifLogicalScreen(QByteArrayView gif);

// The logical screen and the blocks of the first frame, read from the GIF's bytes (all of
// them, or its start, which holds fewer blocks); nothing when they do not hold the first
// block's descriptor whole.
std::optional<GifScreen> gifScreen(QByteArrayView gif);

// The size of the canvas the first frame is drawn on, which GIF readers (Qt's too) allocate at
// the first block, before any of its pixels is read: the logical screen, a side of it that is
// zero taken from how far the first block reaches along it.
QSize gifCanvasSize(const GifScreen& screen);

// The first frame of one block as GIF renderers compose it: where the block does not cover the
// logical screen, the screen is transparent, so that whatever lies behind the page shows
// through (Qt's reader paints it in the background colour).
QImage withUncoveredScreenClear(QImage frame, const GifScreen& screen);

} // namespace ruvo
