#pragma once

#include "imaging/page_renderer.h"

#include <chrono>
#include <memory>

namespace ruvo {

class PdfDocuments;
class PdfPicturePages;

// Draws one page of a PDF book through a document of its own for the while: at actual size, a
// page that is one picture over the whole page at the picture's own pixels and any other at 96
// dots per inch; stretched, at the size it is drawn, never drawn larger to be scaled down; and
// within the picture limits. A page that is one JPEG it can decode as it stands is decoded as
// a JPEG page is, not drawn.
//
// A page still being drawn when its time is up is given up as damaged: a damaged file can make
// poppler work through garbage for many seconds, holding a worker, or the reader when the page
// is the one to show now, where a sound comic page is drawn in a few dozen milliseconds.
class PdfPageRenderer : public PageRenderer
{
public:
    static constexpr std::chrono::milliseconds defaultDrawingLimit{4000};

    // The page at index, counted from 0.
    PdfPageRenderer(std::shared_ptr<PdfDocuments> documents, std::shared_ptr<PdfPicturePages> pictures,
                    int index, std::chrono::milliseconds drawingLimit = defaultDrawingLimit);

    DecodedPicture render(const ScaledSizeOf& scaledSize) const override;

private:
    const std::shared_ptr<PdfDocuments> m_documents;
    const std::shared_ptr<PdfPicturePages> m_pictures;
    const int m_index;
    const std::chrono::milliseconds m_drawingLimit;
};

} // namespace ruvo
