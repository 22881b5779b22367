#pragma once

#include "imaging/page_renderer.h"

#include <memory>

namespace ruvo {

class PdfDocuments;

// Draws one page of a PDF book through a document of its own for the while: at 96 dots per
// inch at actual size, or at the size it is drawn stretched, never drawn larger to be scaled
// down, and within the picture limits.
class PdfPageRenderer : public PageRenderer
{
public:
    // The page at index, counted from 0.
    PdfPageRenderer(std::shared_ptr<PdfDocuments> documents, int index);

    DecodedPicture render(const ScaledSizeOf& scaledSize) const override;

private:
    const std::shared_ptr<PdfDocuments> m_documents;
    const int m_index;
};

} // namespace ruvo
