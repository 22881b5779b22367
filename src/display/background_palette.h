#pragma once

#include <QList>

namespace ruvo {

// A swatch of the background colour panel: its place in twips inside the
// panel's frame and its colour.
struct Swatch
{
    int index = 0;
    int row = 0;
    int left = 0;
    int red = 0;
    int green = 0;
    int blue = 0;

    int top() const { return row == 1 ? 600 : 960; }
    static constexpr int size = 375;
    // red + 256 * green + 65536 * blue
    int value() const { return red + 256 * green + 65536 * blue; }
};

// The 29 swatches, in the order they stand (row by row, left to right).
const QList<Swatch>& backgroundSwatches();
// The swatch with this index (0 to 28); the first one for any other index.
const Swatch& swatch(int index);

} // namespace ruvo
