#pragma once

class QImage;
class QString;

namespace ruvo {

// Writes the image as a single-frame GIF89a; Qt reads GIF but has no writer for it.
// Images of at most 256 colours round-trip exactly; richer ones go through Qt's
// own reduction to 256. Pixels less than half opaque become the one transparent
// colour GIF allows. Returns false when the image is null or too large for GIF,
// or when the file cannot be written.
bool writeGif(const QImage& image, const QString& path);

} // namespace ruvo
