#pragma once

#include <QByteArrayView>
#include <QRect>
#include <QString>

#include <optional>

namespace ruvo {

// The header a placeable WMF starts with, before the metafile's own: the picture's box in its
// own units, and how many of those units make an inch.
struct WmfPlaceable
{
    QRect boundingBox;
    int unitsPerInch = 0;

    // How many bytes the header takes.
    static constexpr qsizetype kBytes = 22;

    // Whether bytes start with the header's key.
    static bool startsWith(QByteArrayView bytes);
    // The header at the start of bytes, which hold it whole; nothing, with the reason, when it
    // gives the picture no size.
    static std::optional<WmfPlaceable> read(QByteArrayView bytes, QString* error);
};

} // namespace ruvo
