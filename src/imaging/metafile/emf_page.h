#pragma once

#include "imaging/metafile/emf_layout.h"

#include <QByteArrayView>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>

namespace ruvo {

// How many of an EMF's first bytes its header takes at the least, all that it says of the
// picture among them.
inline constexpr qsizetype kEmfHeaderBytes = 88;

// Where an EMF's picture is drawn from, and at what size.
struct EmfPage
{
    // The drawn area as the converter is to see it, in the recording device's pixels: the
    // header's bounds, or where it recorded none, its frame.
    QRect bounds;
    // The page in the recording device's pixels.
    QRectF page;
    // The size the page is drawn at: its natural size, made smaller where drawing every
    // record over it would take too long.
    QSize size;

    // The header's picture fields (bounds, frame and reference device) into layout, from its
    // first kEmfHeaderBytes bytes.
    static void readHeader(QByteArrayView header, EmfLayout& layout);
    // The page of the picture the layout describes, its records counted; nothing, with the
    // reason, when it has no size or is too complex to draw.
    static std::optional<EmfPage> of(const EmfLayout& layout, QString* error);
};

} // namespace ruvo
