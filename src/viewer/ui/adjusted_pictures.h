#pragma once

#include "display/picture_adjustments.h"

#include <QImage>
#include <QList>

namespace ruvo {

// The pictures on screen as the adjustments make them, each made once for its picture and
// adjustments and kept while it is among the last few drawn.
class AdjustedPictures
{
public:
    // The picture itself when there are no adjustments.
    const QImage& of(const QImage& picture, const PictureAdjustments& adjustments);

private:
    struct Adjusted
    {
        qint64 key = 0;
        PictureAdjustments adjustments;
        QImage image;
    };
    // As many as a screen shows: two pages, at actual size and stretched.
    static constexpr qsizetype kept = 4;
    QList<Adjusted> m_adjusted;
};

} // namespace ruvo
