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
};

// A GIF of the given logical screen and no global colour table, drawn from the blocks in
// order, each with a colour table of its own; empty when one cannot be written.
QByteArray gifOfBlocks(QSize screen, const QList<GifBlock>& blocks);

} // namespace ruvo::test
