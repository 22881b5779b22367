#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

namespace ruvo {

// The BMP file of a thumbnail, made in memory so that it reaches the shelf
// folder through the same checked, atomic write as the shelf file; nothing
// when the picture cannot be encoded.
std::optional<QByteArray> thumbnailBitmap(const QImage& thumbnail);

} // namespace ruvo
