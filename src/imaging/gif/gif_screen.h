#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QRect>
#include <QSize>

#include <optional>

namespace ruvo {

// A GIF's logical screen and where its first image lies on it.
struct GifScreen
{
    QSize size;
    QRect firstImage;
};

// The logical screen and the first image's place, read from the GIF's first bytes (its
// header, colour table and the blocks before its first image); nothing when they do not
// hold them whole.
std::optional<GifScreen> gifScreen(QByteArrayView gif);

// The first frame as GIF renderers compose it: where the first image does not cover the
// logical screen, the screen is transparent, so that whatever lies behind the page shows
// through (Qt's reader paints it in the background colour).
QImage withUncoveredScreenClear(QImage frame, const GifScreen& screen);

} // namespace ruvo
