#pragma once

#include "imaging/decoded_picture.h"

namespace ruvo {

// A page that is drawn rather than decoded from bytes: a page of a PDF book. It draws itself
// at the size it is to be shown at, so that nothing is drawn large to be scaled down.
class PageRenderer
{
public:
    virtual ~PageRenderer() = default;
    // The page drawn at its own size, or at the size scaledSize gives for it when it gives
    // one; see DecodedPicture for how a picture drawn smaller than its own size is told. Never
    // throws: a page that cannot be drawn gives the reason.
    virtual DecodedPicture render(const ScaledSizeOf& scaledSize) const = 0;
};

} // namespace ruvo
