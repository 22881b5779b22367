#pragma once

#include <QString>

namespace ruvo {

// One registered book of a shelf.
struct ShelfEntry
{
    // Label of the volume that held the book; may be empty.
    QString volumeLabel;
    // Full path of the page shown when the book was registered.
    QString bookPath;
    QString title;
    // Bare name of the thumbnail bitmap in the shelf folder.
    QString thumbnailFile;

    bool operator==(const ShelfEntry&) const = default;
};

} // namespace ruvo
