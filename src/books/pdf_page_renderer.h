#pragma once

#include "imaging/page_renderer.h"

#include <memory>

namespace ruvo {

class PdfDocuments;
class PdfPicturePages;

// Draws one page of a PDF book through a document of its own for the while: at actual size, a
// page that is one picture over the whole page at the picture's own pixels and any other at 96
// dots per inch; stretched, at the size it is drawn, never drawn larger to be scaled down; and
// within the picture limits. A page that is one JPEG it can decode as it stands is decoded as
// a JPEG page is, not drawn.
class PdfPageRenderer : public PageRenderer
{
public:
    // The page at index, counted from 0.
    PdfPageRenderer(std::shared_ptr<PdfDocuments> documents, std::shared_ptr<PdfPicturePages> pictures,
                    int index);

    DecodedPicture render(const ScaledSizeOf& scaledSize) const override;

private:
    const std::shared_ptr<PdfDocuments> m_documents;
    const std::shared_ptr<PdfPicturePages> m_pictures;
    const int m_index;
};

} // namespace ruvo
