#include "display/stretch_fit.h"

#include "common/number_text.h"

namespace ruvo {

namespace {
constexpr int maximumSteps = 300;
}

bool stretchedSize(QSizeF page, QSizeF area, double availableWidth, QSizeF previous, QSizeF* result)
{
    const double v = area.width();
    const double u = area.height();
    QSizeF working = page;
    while (working.width() <= v / 2 && working.height() <= u) {
        const QSizeF doubled = working * 2;
        if (doubled == working)
            return false;
        working = doubled;
    }
    const int stepWidth = roundHalfEven(working.width() / 100);
    const int stepHeight = roundHalfEven(working.height() / 100);
    for (int i = 1; i <= maximumSteps; ++i) {
        if (double(i) * stepHeight > u || double(i) * stepWidth > availableWidth) {
            const int k = i - 1;
            *result = QSizeF(double(k) * stepWidth, double(k) * stepHeight);
            return true;
        }
    }
    *result = previous;
    return true;
}

StretchedImage stretchFirstPage(QSizeF page, QSizeF area, bool onePageMode, QSizeF previous)
{
    const double v = area.width();
    const double available = roundHalfEven(onePageMode ? v : v / 2);
    StretchedImage image;
    QSizeF size;
    if (!stretchedSize(page, area, available, previous, &size))
        return image;
    image.visible = true;
    image.width = size.width();
    image.height = size.height();
    image.top = (area.height() - image.height) / 2;
    image.left = onePageMode ? v / 2 - image.width / 2 : v / 2;
    return image;
}

StretchedImage stretchSecondPage(QSizeF page, QSizeF area, QSizeF previous)
{
    const double v = area.width();
    StretchedImage image;
    QSizeF size;
    if (!stretchedSize(page, area, v / 2, previous, &size))
        return image;
    image.visible = true;
    image.width = size.width();
    image.height = size.height();
    image.left = v / 2 - image.width;
    image.top = (area.height() - image.height) / 2;
    return image;
}

} // namespace ruvo
