#include "imaging/avif/cicp_colour_space.h"

#include <QPointF>

#include <optional>

namespace ruvo {

namespace {

struct Primaries
{
    QPointF red, green, blue, white;
};

constexpr QPointF kD65(0.3127, 0.3290);

// H.273's colour primaries other than sRGB's own (1) that pages are found in.
std::optional<Primaries> primariesOf(int code)
{
    switch (code) {
    case 4: // BT.470 System M
        return Primaries{{0.67, 0.33}, {0.21, 0.71}, {0.14, 0.08}, {0.310, 0.316}};
    case 5: // BT.470 System B, G; BT.601 625 lines
        return Primaries{{0.64, 0.33}, {0.29, 0.60}, {0.15, 0.06}, kD65};
    case 6: // BT.601 525 lines; SMPTE 170M
    case 7: // SMPTE 240M
        return Primaries{{0.630, 0.340}, {0.310, 0.595}, {0.155, 0.070}, kD65};
    case 9: // BT.2020, BT.2100
        return Primaries{{0.708, 0.292}, {0.170, 0.797}, {0.131, 0.046}, kD65};
    case 11: // SMPTE RP 431-2, DCI-P3
        return Primaries{{0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}, {0.314, 0.351}};
    case 12: // SMPTE EG 432-1, Display P3
        return Primaries{{0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}, kD65};
    default:
        return std::nullopt;
    }
}

struct Transfer
{
    QColorSpace::TransferFunction function;
    float gamma;
};

Transfer transferOf(int code)
{
    switch (code) {
    case 4: // BT.470 System M
        return {QColorSpace::TransferFunction::Gamma, 2.2f};
    case 5: // BT.470 System B, G
        return {QColorSpace::TransferFunction::Gamma, 2.8f};
    case 8:
        return {QColorSpace::TransferFunction::Linear, 0.0f};
    default:
        return {QColorSpace::TransferFunction::SRgb, 0.0f};
    }
}

} // namespace

QColorSpace cicpColourSpace(int primaries, int transfer)
{
    const Transfer curve = transferOf(transfer);
    const std::optional<Primaries> gamut = primariesOf(primaries);
    if (!gamut)
        return QColorSpace(QColorSpace::Primaries::SRgb, curve.function, curve.gamma);
    return QColorSpace(gamut->white, gamut->red, gamut->green, gamut->blue, curve.function, curve.gamma);
}

} // namespace ruvo
