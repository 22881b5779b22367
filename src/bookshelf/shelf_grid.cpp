#include "bookshelf/shelf_grid.h"

namespace ruvo {

using namespace ShelfGridMetrics;

std::optional<ShelfGrid> layOutShelfGrid(int canvasWidth, int entryCount)
{
    const auto overflows = [canvasWidth](int x) { return x + labelWidth + labelOffsetX >= canvasWidth; };
    if (entryCount > 0 && overflows(0))
        return std::nullopt;

    ShelfGrid grid;
    grid.cells.reserve(entryCount);
    int x = firstCellX;
    int y = firstRowY;
    bool wrapped = false;
    for (int i = 0; i < entryCount; ++i) {
        while (overflows(x)) {
            y += cellPitchY;
            x = 0;
            wrapped = true;
            grid.canvasHeight += cellPitchY;
        }
        grid.cells.append(QPoint(x, y));
        x += cellPitchX;
        if (!wrapped)
            ++grid.columnsPerRow;
    }
    return grid;
}

QRect iconImageRect(QPoint cell)
{
    return QRect(cell.x() + imageOffsetX, cell.y(), imageWidth, imageHeight);
}

QRect iconLabelRect(QPoint cell)
{
    return QRect(cell.x() + labelOffsetX, cell.y() + imageHeight, labelWidth, labelHeight);
}

int shelfScrollMaximum(int canvasHeight, int viewportHeight)
{
    return canvasHeight - viewportHeight;
}

bool shelfScrollEnabled(int canvasHeight, int viewportHeight)
{
    return viewportHeight < canvasHeight;
}

} // namespace ruvo
