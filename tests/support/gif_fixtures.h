#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>

namespace ruvo::test {

// One image block of a GIF made by gifOfBlocks.
struct GifBlock
{
    QImage image;
    QPoint at;
    // In hundredths of a second, and the disposal method, of its graphic control extension.
    int delay = 0;
    int disposal = 0;
    // Whether it has that extension at all; without it, it has no transparent colour either.
    bool control = true;
};

// How a GIF made by gifOfBlocks starts: as GIF89a, as GIF89a with the loop extension
// (NETSCAPE2.0, looping for ever) before its first block, or as GIF87a, which has no
// extensions, so that no block has a control extension whatever it asks.
enum class GifStart
{
    Gif89a,
    Looping,
    Gif87a,
};

// A GIF of the given logical screen and no global colour table, drawn from the blocks in
// order, each with a colour table of its own; empty when one cannot be written.
QByteArray gifOfBlocks(QSize screen, const QList<GifBlock>& blocks, GifStart start = GifStart::Gif89a);

} // namespace ruvo::test
