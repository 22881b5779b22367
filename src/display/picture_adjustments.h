#pragma once

#include <QImage>

namespace ruvo {

// How a page's picture is adjusted as it is drawn, for faded or yellowed scans. The picture
// kept for the page is never changed; none of them leaves it exactly as it is.
struct PictureAdjustments
{
    // -100 (black) to 100 (white); 0 leaves it.
    int brightness = 0;
    // -100 (a quarter as steep about the middle grey) to 100 (four times as steep); 0 leaves it.
    int contrast = 0;
    // In hundredths, 20 to 500: above 100 lightens the middle tones, below darkens them.
    int gamma = 100;
    bool greyscale = false;

    static constexpr int brightnessStep = 10;
    static constexpr int contrastStep = 10;
    static constexpr int gammaStep = 10;

    bool isNone() const { return *this == PictureAdjustments{}; }
    // The same adjustments with each value held within its range.
    PictureAdjustments bounded() const;
    bool operator==(const PictureAdjustments&) const = default;
};

// The picture as the adjustments make it: itself (the same image) when there are none.
// Transparency is kept as it is.
QImage adjustedPicture(const QImage& picture, const PictureAdjustments& adjustments);

} // namespace ruvo
