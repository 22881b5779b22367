#pragma once

#include "pdf_pages.h"

#include <QFile>

#include <cmath>
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>

namespace ruvo::bench {

// MuPDF's C interface, PDF alone, with one context of its own: its store keeps what pages
// share (fonts, and pictures decoded whole) up to the bytes given. A page's picture is found
// by running the page through a device that only takes notes.
class MupdfPdfPages final : public PdfPages
{
public:
    explicit MupdfPdfPages(size_t storeBytes) : m_context(fz_new_context(nullptr, nullptr, storeBytes)) {}

    ~MupdfPdfPages() override
    {
        fz_drop_document(m_context, m_document);
        fz_drop_context(m_context);
    }

    MupdfPdfPages(const MupdfPdfPages&) = delete;
    MupdfPdfPages& operator=(const MupdfPdfPages&) = delete;

    bool open(const QString& path) override
    {
        if (!m_context)
            return false;
        const QByteArray name = QFile::encodeName(path);
        pdf_document* document = nullptr;
        fz_var(document);
        fz_try(m_context)
        {
            document = pdf_open_document(m_context, name.constData());
            if (fz_needs_password(m_context, &document->super))
                fz_throw(m_context, FZ_ERROR_GENERIC, "encrypted");
        }
        fz_catch(m_context)
        {
            if (document)
                fz_drop_document(m_context, &document->super);
            document = nullptr;
        }
        m_document = document ? &document->super : nullptr;
        return m_document != nullptr;
    }

    int count() override
    {
        volatile int pages = 0;
        fz_try(m_context) pages = fz_count_pages(m_context, m_document);
        fz_catch(m_context) pages = 0;
        return pages;
    }

    QSizeF pointSize(int index) override
    {
        fz_page* page = nullptr;
        fz_rect bounds = fz_empty_rect;
        fz_var(page);
        fz_try(m_context)
        {
            page = fz_load_page(m_context, m_document, index);
            bounds = fz_bound_page(m_context, page);
        }
        fz_always(m_context) fz_drop_page(m_context, page);
        fz_catch(m_context) return {};
        return {bounds.x1 - bounds.x0, bounds.y1 - bounds.y0};
    }

    // Drawn straight into the QImage's pixels: MuPDF's BGRA with alpha is Qt's premultiplied
    // ARGB32 on a little-endian machine.
    QImage render(int index, QSize pixels) override
    {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        fz_page* page = nullptr;
        fz_pixmap* pixmap = nullptr;
        fz_device* device = nullptr;
        volatile bool drawn = false;
        fz_var(page);
        fz_var(pixmap);
        fz_var(device);
        fz_try(m_context)
        {
            page = fz_load_page(m_context, m_document, index);
            const fz_rect bounds = fz_bound_page(m_context, page);
            const fz_matrix placed = fz_concat(fz_translate(-bounds.x0, -bounds.y0),
                                               fz_scale(float(pixels.width()) / (bounds.x1 - bounds.x0),
                                                        float(pixels.height()) / (bounds.y1 - bounds.y0)));
            pixmap =
                fz_new_pixmap_with_data(m_context, fz_device_bgr(m_context), pixels.width(), pixels.height(),
                                        nullptr, 1, int(image.bytesPerLine()), image.bits());
            device = fz_new_draw_device(m_context, fz_identity, pixmap);
            fz_run_page(m_context, page, device, placed, nullptr);
            fz_close_device(m_context, device);
            drawn = true;
        }
        fz_always(m_context)
        {
            fz_drop_device(m_context, device);
            fz_drop_pixmap(m_context, pixmap);
            fz_drop_page(m_context, page);
        }
        fz_catch(m_context) drawn = false;
        return drawn ? image : QImage();
    }

    // A page is one picture when running it draws one image and nothing else, over the whole
    // page; it is handed over when that image is a JPEG of grey or RGB without a mask, a colour
    // key or a decode array, which its own decoder draws just as the page would.
    PagePicture picture(int index) override
    {
        fz_page* page = nullptr;
        Notes* notes = nullptr;
        PagePicture found;
        fz_var(page);
        fz_var(notes);
        fz_try(m_context)
        {
            page = fz_load_page(m_context, m_document, index);
            const fz_rect bounds = fz_bound_page(m_context, page);
            notes = takingNotes();
            fz_run_page(m_context, page, &notes->device, fz_identity, nullptr);
            fz_close_device(m_context, &notes->device);
            if (notes->image && notes->drawings == 0 &&
                covers(fz_transform_rect(fz_unit_rect, notes->placed), bounds))
                found = handedOver(notes->image);
        }
        fz_always(m_context)
        {
            if (notes)
                fz_drop_image(m_context, notes->image);
            fz_drop_device(m_context, notes ? &notes->device : nullptr);
            fz_drop_page(m_context, page);
        }
        fz_catch(m_context) found = {};
        return found;
    }

private:
    // What running a page drew: its first image, where, and how many other things.
    struct Notes
    {
        fz_device device;
        fz_image* image;
        fz_matrix placed;
        int drawings;
    };

    static void drew(fz_device* device) { ++reinterpret_cast<Notes*>(device)->drawings; }

    Notes* takingNotes()
    {
        auto* notes =
            static_cast<Notes*>(static_cast<void*>(fz_new_device_of_size(m_context, sizeof(Notes))));
        notes->image = nullptr;
        notes->drawings = 0;
        fz_device& device = notes->device;
        device.fill_image = [](fz_context* context, fz_device* device, fz_image* image, fz_matrix placed,
                               float, fz_color_params) {
            auto* notes = reinterpret_cast<Notes*>(device);
            if (notes->image) {
                ++notes->drawings;
                return;
            }
            notes->image = fz_keep_image(context, image);
            notes->placed = placed;
        };
        device.fill_path = [](fz_context*, fz_device* device, const fz_path*, int, fz_matrix, fz_colorspace*,
                              const float*, float, fz_color_params) { drew(device); };
        device.stroke_path = [](fz_context*, fz_device* device, const fz_path*, const fz_stroke_state*,
                                fz_matrix, fz_colorspace*, const float*, float,
                                fz_color_params) { drew(device); };
        device.fill_text = [](fz_context*, fz_device* device, const fz_text*, fz_matrix, fz_colorspace*,
                              const float*, float, fz_color_params) { drew(device); };
        device.stroke_text = [](fz_context*, fz_device* device, const fz_text*, const fz_stroke_state*,
                                fz_matrix, fz_colorspace*, const float*, float,
                                fz_color_params) { drew(device); };
        device.fill_shade = [](fz_context*, fz_device* device, fz_shade*, fz_matrix, float, fz_color_params) {
            drew(device);
        };
        device.fill_image_mask = [](fz_context*, fz_device* device, fz_image*, fz_matrix, fz_colorspace*,
                                    const float*, float, fz_color_params) { drew(device); };
        device.begin_tile = [](fz_context*, fz_device* device, fz_rect, fz_rect, float, float, fz_matrix,
                               int) {
            drew(device);
            return 0;
        };
        return notes;
    }

    static bool covers(fz_rect drawn, fz_rect page)
    {
        constexpr float slack = 0.5f;
        return std::abs(drawn.x0 - page.x0) < slack && std::abs(drawn.y0 - page.y0) < slack &&
               std::abs(drawn.x1 - page.x1) < slack && std::abs(drawn.y1 - page.y1) < slack;
    }

    PagePicture handedOver(fz_image* image)
    {
        fz_compressed_buffer* compressed = fz_compressed_image_buffer(m_context, image);
        if (!compressed || compressed->params.type != FZ_IMAGE_JPEG || image->mask || image->use_colorkey ||
            image->use_decode || (image->n != 1 && image->n != 3))
            return {};
        unsigned char* bytes = nullptr;
        const size_t length = fz_buffer_storage(m_context, compressed->buffer, &bytes);
        return {QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(length)),
                QSize(image->w, image->h)};
    }

    fz_context* m_context;
    fz_document* m_document = nullptr;
};

} // namespace ruvo::bench
