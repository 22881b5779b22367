#include "support/jpeg_fixtures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtEndian>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <memory>
#include <vector>

namespace ruvo::test {

namespace {

// libjpeg's error_exit must not return: it jumps back into compress(), so that a shape
// libjpeg refuses fails the test instead of ending the process.
struct Compression
{
    // First, so that libjpeg's pointer to it is a pointer to the whole.
    jpeg_error_mgr error{};
    std::jmp_buf jump;
    jpeg_compress_struct info{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

[[noreturn]] void jumpOut(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Compression*>(info->err)->jump, 1);
}

// The rows as libjpeg takes them: 1, 3 or 4 bytes a pixel.
std::vector<unsigned char> samples(const QImage& picture, const JpegShape& shape)
{
    const int channels = shape.grey ? 1 : shape.cmyk ? 4 : 3;
    const QImage source =
        picture.convertToFormat(shape.grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    std::vector<unsigned char> bytes(size_t(source.width()) * size_t(source.height()) * size_t(channels));
    unsigned char* out = bytes.data();
    for (int y = 0; y < source.height(); ++y) {
        const uchar* row = source.constScanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            if (shape.grey) {
                *out++ = row[x];
            } else if (shape.cmyk) {
                for (int c = 0; c < 3; ++c)
                    *out++ = uchar(255 - row[3 * x + c]);
                *out++ = 0;
            } else {
                for (int c = 0; c < 3; ++c)
                    *out++ = row[3 * x + c];
            }
        }
    }
    return bytes;
}

// No object with a destructor lives in this frame: libjpeg may jump out of any call.
bool compress(Compression& c, const JpegShape& shape, int width, int height, unsigned char* pixels)
{
    if (setjmp(c.jump))
        return false;
    jpeg_create_compress(&c.info);
    jpeg_mem_dest(&c.info, &c.buffer, &c.size);
    c.info.image_width = JDIMENSION(width);
    c.info.image_height = JDIMENSION(height);
    c.info.input_components = shape.grey ? 1 : shape.cmyk ? 4 : 3;
    c.info.in_color_space = shape.grey ? JCS_GRAYSCALE : shape.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, shape.quality, TRUE);
    c.info.comp_info[0].h_samp_factor = shape.hSampling;
    c.info.comp_info[0].v_samp_factor = shape.vSampling;
    for (int i = 1; i < c.info.num_components; ++i) {
        c.info.comp_info[i].h_samp_factor = 1;
        c.info.comp_info[i].v_samp_factor = 1;
    }
    c.info.restart_in_rows = shape.restartRows;
    c.info.arith_code = shape.arithmetic ? TRUE : FALSE;
    if (shape.progressive)
        jpeg_simple_progression(&c.info);
    jpeg_start_compress(&c.info, TRUE);
    if (shape.exifOrientation != 0) {
        const QByteArray exif = exifPayload(shape.exifOrientation, false, shape.exifThumbnail);
        jpeg_write_marker(&c.info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.constData()),
                          unsigned(exif.size()));
    }
    const size_t stride = size_t(width) * size_t(c.info.input_components);
    while (c.info.next_scanline < c.info.image_height) {
        JSAMPROW row = pixels + size_t(c.info.next_scanline) * stride;
        jpeg_write_scanlines(&c.info, &row, 1);
    }
    jpeg_finish_compress(&c.info);
    return true;
}

} // namespace

QByteArray exifPayload(int orientation, bool bigEndian, const QByteArray& thumbnail)
{
    QByteArray bytes("Exif\0\0", 6);
    const auto u16 = [&](quint16 value) {
        char b[2];
        bigEndian ? qToBigEndian(value, b) : qToLittleEndian(value, b);
        bytes.append(b, 2);
    };
    const auto u32 = [&](quint32 value) {
        char b[4];
        bigEndian ? qToBigEndian(value, b) : qToLittleEndian(value, b);
        bytes.append(b, 4);
    };
    const auto entry = [&](quint16 tag, quint16 type, quint32 value) {
        u16(tag);
        u16(type);
        u32(1);
        if (type == 3) {
            u16(quint16(value));
            u16(0);
        } else {
            u32(value);
        }
    };
    constexpr quint16 kShort = 3;
    constexpr quint16 kLong = 4;
    // Offsets count from the TIFF header: the first directory follows it, the thumbnail's
    // directory (two entries too) the first, the thumbnail that.
    constexpr quint32 kFirstDirectoryAt = 8;
    constexpr quint32 kDirectoryBytes = 2 + 2 * 12 + 4;
    constexpr quint32 kThumbnailDirectoryAt = kFirstDirectoryAt + kDirectoryBytes;
    constexpr quint32 kThumbnailAt = kThumbnailDirectoryAt + kDirectoryBytes;
    bytes.append(bigEndian ? "MM" : "II");
    u16(42);
    u32(kFirstDirectoryAt);
    // The resolution unit, then the orientation.
    u16(2);
    entry(0x0128, kShort, 2);
    entry(0x0112, kShort, quint32(orientation));
    u32(thumbnail.isEmpty() ? 0 : kThumbnailDirectoryAt);
    if (thumbnail.isEmpty())
        return bytes;
    // Where the thumbnail starts, and how long it is.
    u16(2);
    entry(0x0201, kLong, kThumbnailAt);
    entry(0x0202, kLong, quint32(thumbnail.size()));
    u32(0);
    return bytes + thumbnail;
}

QByteArray writeJpeg(const QImage& picture, const JpegShape& shape)
{
    std::vector<unsigned char> pixels = samples(picture, shape);
    auto c = std::make_unique<Compression>();
    c->info.err = jpeg_std_error(&c->error);
    c->error.error_exit = jumpOut;
    const bool written = compress(*c, shape, picture.width(), picture.height(), pixels.data());
    jpeg_destroy_compress(&c->info);
    QByteArray bytes;
    if (written)
        bytes = QByteArray(reinterpret_cast<const char*>(c->buffer), qsizetype(c->size));
    std::free(c->buffer);
    return bytes;
}

QImage detailedPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    const int w = size.width();
    const int h = size.height();
    QPainter painter(&picture);
    QLinearGradient across(0, 0, w, h);
    across.setColorAt(0, QColor(250, 20, 40));
    across.setColorAt(0.5, QColor(30, 200, 90));
    across.setColorAt(1, QColor(20, 40, 230));
    painter.fillRect(picture.rect(), across);
    QRadialGradient round(w * 0.6, h * 0.4, std::min(w, h) * 0.45);
    round.setColorAt(0, QColor(255, 255, 180, 220));
    round.setColorAt(1, QColor(0, 0, 0, 0));
    painter.fillRect(picture.rect(), round);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 64; ++i) {
        painter.setPen(QPen(QColor::fromHsv(i * 23 % 360, 220, 40 + i * 3), 1 + i % 3));
        painter.drawLine(QPointF(i * w / 64.0, 0), QPointF(w - i * w / 97.0, h));
        painter.drawLine(QPointF(0, i * h / 64.0), QPointF(w, h - i * h / 71.0));
    }
    painter.end();
    return picture;
}

QByteArray jpegClaiming(QSize size)
{
    QByteArray jpeg = writeJpeg(detailedPicture(QSize(16, 16)));
    const qsizetype frame = jpeg.indexOf(QByteArrayView("\xFF\xC0", 2));
    if (frame < 0)
        return {};
    qToBigEndian<quint16>(quint16(size.height()), jpeg.data() + frame + 5);
    qToBigEndian<quint16>(quint16(size.width()), jpeg.data() + frame + 7);
    return jpeg;
}

} // namespace ruvo::test
