#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <optional>

namespace ruvo {

// The bookshelf's icon grid, in pixels on the canvas.
namespace ShelfGridMetrics {
inline constexpr int cellPitchX = 144;
inline constexpr int cellPitchY = 153;
// The first row starts two cells in; later rows start at 0.
inline constexpr int firstCellX = 2 * cellPitchX - 1;
inline constexpr int firstRowY = 10;
inline constexpr int firstColumnsPerRow = 2;
inline constexpr int imageWidth = 105;
inline constexpr int imageHeight = 129;
inline constexpr int imageOffsetX = 23;
inline constexpr int labelWidth = 137;
// The title fits between the image and the next row.
inline constexpr int labelHeight = cellPitchY - imageHeight;
inline constexpr int labelOffsetX = 7;
inline constexpr int emptyCanvasHeight = 170;
} // namespace ShelfGridMetrics

struct ShelfGrid
{
    // Left edge and top of each entry's cell, in shelf order.
    QList<QPoint> cells;
    // The step of the up and down moves: the icons of the first row plus two.
    int columnsPerRow = ShelfGridMetrics::firstColumnsPerRow;
    int canvasHeight = ShelfGridMetrics::emptyCanvasHeight;
};

// Places entryCount icons on a canvas of the given width. Nothing when the
// canvas is too narrow for a single cell (a minimised window), where the
// wrapping would never end.
std::optional<ShelfGrid> layOutShelfGrid(int canvasWidth, int entryCount);

QRect iconImageRect(QPoint cell);
QRect iconLabelRect(QPoint cell);

// The scroll range of a canvas in a viewport: the largest scroll value, and
// whether there is anything to scroll.
int shelfScrollMaximum(int canvasHeight, int viewportHeight);
bool shelfScrollEnabled(int canvasHeight, int viewportHeight);

} // namespace ruvo
