#include "display/picture_adjustments.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ruvo {

namespace {

// What each channel value becomes: gamma first, then contrast about the middle, then
// brightness, each on the 0 to 1 scale.
std::array<uchar, 256> toneTable(const PictureAdjustments& a)
{
    const double exponent = 100.0 / a.gamma;
    const double steepness = std::pow(2.0, a.contrast / 50.0);
    const double shift = a.brightness / 100.0;
    std::array<uchar, 256> table{};
    for (int value = 0; value < 256; ++value) {
        double x = std::pow(value / 255.0, exponent);
        x = (x - 0.5) * steepness + 0.5 + shift;
        table[size_t(value)] = uchar(std::lround(std::clamp(x, 0.0, 1.0) * 255));
    }
    return table;
}

} // namespace

PictureAdjustments PictureAdjustments::bounded() const
{
    return {std::clamp(brightness, -100, 100), std::clamp(contrast, -100, 100), std::clamp(gamma, 20, 500),
            greyscale};
}

QImage adjustedPicture(const QImage& picture, const PictureAdjustments& adjustments)
{
    if (adjustments.isNone() || picture.isNull())
        return picture;
    const PictureAdjustments a = adjustments.bounded();
    const std::array<uchar, 256> table = toneTable(a);
    // Straight (not premultiplied) colours, so that the table sees each pixel's own tone.
    QImage adjusted =
        picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    adjusted.setDevicePixelRatio(picture.devicePixelRatio());
    for (int y = 0; y < adjusted.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(adjusted.scanLine(y));
        for (int x = 0; x < adjusted.width(); ++x) {
            const QRgb pixel = line[x];
            if (a.greyscale) {
                const uchar grey = table[size_t(qGray(pixel))];
                line[x] = qRgba(grey, grey, grey, qAlpha(pixel));
            } else {
                line[x] = qRgba(table[size_t(qRed(pixel))], table[size_t(qGreen(pixel))],
                                table[size_t(qBlue(pixel))], qAlpha(pixel));
            }
        }
    }
    return adjusted;
}

} // namespace ruvo
