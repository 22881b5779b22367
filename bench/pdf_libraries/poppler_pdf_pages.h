#pragma once

#include "pdf_pages.h"

#include <memory>
#include <poppler-qt6.h>

namespace ruvo::bench {

// Poppler's Qt 6 interface: its Splash renderer with the antialiasing a viewer turns on.
class PopplerPdfPages final : public PdfPages
{
public:
    bool open(const QString& path) override
    {
        m_document = Poppler::Document::load(path);
        if (!m_document || m_document->isLocked())
            return false;
        m_document->setRenderHint(Poppler::Document::Antialiasing, true);
        m_document->setRenderHint(Poppler::Document::TextAntialiasing, true);
        return true;
    }

    int count() override { return m_document->numPages(); }

    QSizeF pointSize(int index) override
    {
        const std::unique_ptr<Poppler::Page> page = m_document->page(index);
        return page ? page->pageSizeF() : QSizeF();
    }

    QImage render(int index, QSize pixels) override
    {
        const std::unique_ptr<Poppler::Page> page = m_document->page(index);
        if (!page)
            return {};
        const QSizeF points = page->pageSizeF();
        return page->renderToImage(72.0 * pixels.width() / points.width(),
                                   72.0 * pixels.height() / points.height(), 0, 0, pixels.width(),
                                   pixels.height());
    }

    // The Qt 6 interface hands over no picture a page holds, nor its size: only what it draws.
    PagePicture picture(int) override { return {}; }

private:
    std::unique_ptr<Poppler::Document> m_document;
};

} // namespace ruvo::bench
