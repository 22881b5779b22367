#pragma once

#include <QImage>

namespace ruvo {

// The size of a shelf thumbnail in pixels.
inline constexpr int thumbnailWidth = 97;
inline constexpr int thumbnailHeight = 123;

// Distance in twips between the page points a thumbnail takes its pixels from.
struct ThumbnailSteps
{
    int x = 0;
    int y = 0;

    bool operator==(const ThumbnailSteps&) const = default;
};

// The page's size in twips divided by the thumbnail's size in pixels, each
// rounded halves to even.
ThumbnailSteps thumbnailSteps(double pageWidthTwips, double pageHeightTwips);

// Shrinks a page to a thumbnail by point sampling, never smoothing: pixel
// (j, i) takes the colour of the page at (j * step x, i * step y) twips. A
// step of 0 repeats the first column or row. Points past the page's last
// pixel (a step rounded up) take the colour of its edge; a transparent page
// is seen over white, and no page at all gives a white thumbnail.
QImage pointSampledThumbnail(const QImage& page);

// Shrinks a page to a thumbnail that keeps its shape: as large as fits, centred, the rest
// white. Each pixel is the average of the page pixels it covers, so that fine patterns
// (screentone) become their mean tone rather than noise. A transparent page is seen over
// white, and no page at all gives a white thumbnail.
QImage averagedThumbnail(const QImage& page);

} // namespace ruvo
