#include "imaging/jpeg/jpeg_reader.h"

#include "imaging/jpeg/exif_orientation.h"
#include "imaging/jpeg/row_claims.h"
#include "imaging/picture_limits.h"
#include "imaging/picture_memory.h"
#include "imaging/scaling/area_scaler.h"
#include "imaging/scaling/scaling_band.h"
#include "imaging/scaling/smooth_scaling.h"

#include <QColorSpace>
#include <QSemaphore>

#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <memory>
#include <optional>

namespace ruvo {

namespace {

// A forged progressive file can hold any number of scans, each of which goes over the
// whole picture again; real files have a dozen at most.
constexpr int kMostScans = 1000;
// Splitting pays once a picture is large enough to keep the spare core busy for a while.
constexpr qint64 kSmallestSplitPixels = 512 * 512;
// The upper rows' share: the spare core runs through them at about half the cost of
// decoding them before it decodes the rest, so both cores finish together at about 21/32.
constexpr int kSplitNumerator = 21;
constexpr int kSplitDenominator = 32;
// Rows decoded are scaled in runs of this many, while they are still in the cache.
constexpr int kRowsScaledTogether = 16;

// libjpeg reports a fatal error through error_exit, which must not return: it jumps back
// into the call of the reader that started the step.
struct ErrorJump
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jumpOut(j_common_ptr info)
{
    auto* error = reinterpret_cast<ErrorJump*>(info->err);
    info->err->format_message(info, error->message);
    std::longjmp(error->jump, 1);
}

// Warnings about damaged data are not fatal: libjpeg fills in what it cannot read, as it
// does under Qt's reader, and the picture is judged by its result.
void ignoreMessage(j_common_ptr, int) {}

[[noreturn]] void tooManyScans(j_common_ptr info)
{
    auto* error = reinterpret_cast<ErrorJump*>(info->err);
    std::snprintf(error->message, sizeof error->message, "more than %d scans", kMostScans);
    std::longjmp(error->jump, 1);
}

void watchScans(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMostScans)
        tooManyScans(info);
}

// One pass of libjpeg over the data. Every step that can fail sets the jump target
// first, in a frame that holds nothing with a destructor: a fatal error ends the step
// with false and message() telling why.
class Decompressor
{
public:
    explicit Decompressor(const QByteArray& data) : m_data(data)
    {
        m_info.err = jpeg_std_error(&m_error.manager);
        m_error.manager.error_exit = jumpOut;
        m_error.manager.emit_message = ignoreMessage;
        m_error.message[0] = '\0';
        m_progress.progress_monitor = watchScans;
    }
    ~Decompressor()
    {
        if (m_created)
            jpeg_destroy_decompress(&m_info);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    bool readHeader()
    {
        if (setjmp(m_error.jump))
            return false;
        jpeg_create_decompress(&m_info);
        m_created = true;
        m_info.progress = &m_progress;
        jpeg_mem_src(&m_info, reinterpret_cast<const unsigned char*>(m_data.constData()),
                     static_cast<unsigned long>(m_data.size()));
        jpeg_save_markers(&m_info, JPEG_APP0 + 1, 0xFFFF);
        jpeg_save_markers(&m_info, JPEG_APP0 + 2, 0xFFFF);
        return jpeg_read_header(&m_info, TRUE) == JPEG_HEADER_OK;
    }

    // Decodes the picture at eighths/8 of each side, the inverse transform done at that size.
    void setScale(int eighths)
    {
        m_info.scale_num = unsigned(eighths);
        m_info.scale_denom = 8;
    }

    bool start()
    {
        if (setjmp(m_error.jump))
            return false;
        // The picture and what libjpeg holds while it decodes (every coefficient of a
        // progressive picture) stay within what one picture may take.
        const qint64 pictureBytes =
            qint64(m_info.image_width) * m_info.image_height * (m_info.num_components == 1 ? 1 : 4);
        const qint64 workingBytes = qint64(kImageReaderAllocationMegabytes) * 1024 * 1024 - pictureBytes;
        if (workingBytes <= 0) {
            std::snprintf(m_error.message, sizeof m_error.message, "picture is too large");
            return false;
        }
        m_info.mem->max_memory_to_use = long(workingBytes);
        // Qt's 32-bit RGB is one 0xffRRGGBB word a pixel, whichever way round its bytes lie.
        const J_COLOR_SPACE rgb32 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
        m_info.out_color_space = m_info.num_components == 1 ? JCS_GRAYSCALE : rgb32;
        return jpeg_start_decompress(&m_info) == TRUE;
    }

    bool skip(int rows)
    {
        if (setjmp(m_error.jump))
            return false;
        return jpeg_skip_scanlines(&m_info, JDIMENSION(rows)) == JDIMENSION(rows);
    }

    // Rows from the current one up to (not including) end, into the picture's memory, and
    // on into the band's scaled rows, a few at a time while they are still in the cache.
    bool readRows(uchar* bits, qsizetype bytesPerLine, int end, ScalingBand* band)
    {
        if (setjmp(m_error.jump))
            return false;
        while (int(m_info.output_scanline) < end) {
            JSAMPROW row = bits + qsizetype(m_info.output_scanline) * bytesPerLine;
            if (jpeg_read_scanlines(&m_info, &row, 1) != 1)
                return false;
            const int read = int(m_info.output_scanline);
            if (band && (read - band->nextRow() >= kRowsScaledTogether || read == end))
                band->addRows(bits + qsizetype(band->nextRow()) * bytesPerLine, bytesPerLine,
                              read - band->nextRow());
        }
        return true;
    }

    bool finish()
    {
        if (setjmp(m_error.jump))
            return false;
        if (m_info.output_scanline < m_info.output_height)
            jpeg_abort_decompress(&m_info);
        else
            jpeg_finish_decompress(&m_info);
        return true;
    }

    // Whether the picture comes in several scans, each over the whole picture.
    bool multipleScans()
    {
        if (setjmp(m_error.jump))
            return true;
        return jpeg_has_multiple_scans(&m_info) == TRUE;
    }

    // The orientation the first EXIF segment declares; after readHeader().
    ExifOrientation orientation() const
    {
        for (jpeg_saved_marker_ptr marker = m_info.marker_list; marker; marker = marker->next) {
            if (marker->marker != JPEG_APP0 + 1)
                continue;
            const QByteArrayView payload(reinterpret_cast<const char*>(marker->data),
                                         qsizetype(marker->data_length));
            if (ExifOrientation::isExif(payload))
                return ExifOrientation::fromApp1(payload);
        }
        return {};
    }

    // Before finish(), which lets go of the markers.
    QByteArray iccProfile()
    {
        JOCTET* profile = nullptr;
        unsigned int length = 0;
        if (setjmp(m_error.jump))
            return {};
        if (!jpeg_read_icc_profile(&m_info, &profile, &length) || !profile)
            return {};
        QByteArray bytes(reinterpret_cast<const char*>(profile), qsizetype(length));
        std::free(profile);
        return bytes;
    }

    const jpeg_decompress_struct& info() const { return m_info; }
    const QByteArray& data() const { return m_data; }
    QString message() const { return messageText(m_error.message); }
    // The same, without allocating: for a thread where nothing may throw.
    void copyMessage(char (&to)[JMSG_LENGTH_MAX]) const { std::memcpy(to, m_error.message, sizeof to); }
    static QString messageText(const char* message)
    {
        return message[0] ? QString::fromLatin1(message)
                          : QStringLiteral("fewer rows than the header declares");
    }

private:
    QByteArray m_data;
    jpeg_decompress_struct m_info{};
    ErrorJump m_error{};
    jpeg_progress_mgr m_progress{};
    bool m_created = false;
};

// The lower rows of a picture, decoded on the spare core from wherever it takes them.
class LowerBand
{
public:
    LowerBand(const QByteArray& data, uchar* bits, qsizetype bytesPerLine, int height, int groupRows)
        : m_data(data), m_bits(bits), m_bytesPerLine(bytesPerLine), m_groupRows(groupRows),
          m_claims(height, groupRows)
    {
    }

    // On the spare core.
    void run()
    {
        const int height = m_claims.height();
        const int groupRows = m_groupRows;
        // The picture was found large enough to split when the work was offered.
        const int from = m_claims.take([&](int claimed) {
            return JpegReader::splitRow(height, kSmallestSplitPixels, groupRows, claimed);
        });
        if (from >= height)
            return;
        Decompressor lower(m_data);
        const bool done = lower.readHeader() && lower.start() && lower.skip(from) &&
                          lower.readRows(m_bits, m_bytesPerLine, height, nullptr) && lower.finish();
        if (!done) {
            lower.copyMessage(m_message);
            m_failed = true;
        }
        m_done.release();
    }

    RowClaims& claims() { return m_claims; }

    // After the claims were closed with the spare core's rows taken: its result, once it is
    // there.
    QString waitForError()
    {
        m_done.acquire();
        return m_failed ? Decompressor::messageText(m_message) : QString();
    }

private:
    const QByteArray m_data;
    // The picture's memory: the caller keeps it until the spare core is done.
    uchar* const m_bits;
    const qsizetype m_bytesPerLine;
    const int m_groupRows;
    RowClaims m_claims;
    QSemaphore m_done;
    bool m_failed = false;
    char m_message[JMSG_LENGTH_MAX] = {};
};

} // namespace

struct JpegReader::Private
{
    explicit Private(const QByteArray& bytes) : upper(bytes) {}

    Decompressor upper;
    bool headerRead = false;
    ExifOrientation orientation;
    QString error;
    QImage scaled;
};

JpegReader::JpegReader(const QByteArray& data) : d(std::make_unique<Private>(data)) {}

JpegReader::~JpegReader() = default;

bool JpegReader::readHeader()
{
    d->headerRead = d->upper.readHeader();
    if (!d->headerRead)
        d->error = d->upper.message();
    else
        d->orientation = d->upper.orientation();
    return d->headerRead;
}

bool JpegReader::handles() const
{
    return d->headerRead && (d->upper.info().num_components == 1 || d->upper.info().num_components == 3);
}

QSize JpegReader::size() const
{
    return d->headerRead ? d->orientation.turned(storedSize()) : QSize();
}

QSize JpegReader::storedSize() const
{
    return QSize(int(d->upper.info().image_width), int(d->upper.info().image_height));
}

int JpegReader::splitRow(int height, qint64 pixels, int groupRows, int claimed)
{
    if (pixels < kSmallestSplitPixels || groupRows <= 0)
        return height;
    // The caller has claimed..split left to decode; the spare core runs through split rows
    // at a share of their cost before it decodes the rest: both are equal at this split.
    const int split =
        int((qint64(height) + claimed) * kSplitNumerator / kSplitDenominator) / groupRows * groupRows;
    return split > 0 && split >= claimed && split < height ? split : height;
}

int JpegReader::decodedEighths(QSize picture, QSize drawn)
{
    const bool halfOrLess = !drawn.isEmpty() && qint64(drawn.width()) * 2 <= picture.width() &&
                            qint64(drawn.height()) * 2 <= picture.height();
    if (!halfOrLess)
        return 8;
    // libjpeg rounds a scaled side up.
    const auto side = [](int whole, int eighths) { return int((qint64(whole) * eighths + 7) / 8); };
    int eighths = 1;
    while (side(picture.width(), eighths) < drawn.width() || side(picture.height(), eighths) < drawn.height())
        ++eighths;
    return eighths;
}

QImage JpegReader::read(const SpareCore& spare, const ScaledSizeOf& scaledSize)
{
    Decompressor& upper = d->upper;
    d->scaled = QImage();
    if (!handles()) {
        d->error = QStringLiteral("not a picture of one or three channels");
        return {};
    }
    // Drawn at a fraction of its size, the picture is decoded at about that size by libjpeg
    // and scaled the rest of the way; both as stored, and turned upright at the end.
    const ExifOrientation orientation = d->orientation;
    const QSize scaledTo = scaledSize ? scaledSize(size()) : QSize();
    const QSize storedScaledTo = orientation.turned(scaledTo);
    const int eighths = decodedEighths(storedSize(), storedScaledTo);
    upper.setScale(eighths);
    if (!upper.start()) {
        d->error = upper.message();
        return {};
    }
    const jpeg_decompress_struct& info = upper.info();
    const int width = int(info.output_width);
    const int height = int(info.output_height);
    QImage image =
        newPicture(QSize(width, height),
                   info.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (image.isNull()) {
        d->error = QStringLiteral("not enough memory for the picture");
        return {};
    }
    uchar* const bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();

    // Scaled as it is decoded, when it is made smaller; otherwise the caller scales it.
    QImage scaled;
    std::optional<AreaScaler> scaler;
    std::optional<ScalingBand> band;
    if (image.size() != storedScaledTo && AreaScaler::handles(image, storedScaledTo)) {
        scaled = scalingTarget(image, storedScaledTo);
        if (!scaled.isNull()) {
            scaler.emplace(image.size(), storedScaledTo, image.format());
            band.emplace(*scaler, scaled.bits(), scaled.bytesPerLine());
        }
    }

    const QByteArray profile = upper.iccProfile();
    const int groupRows = info.max_v_samp_factor * DCTSIZE;
    // Only a picture decoded whole gains from a second core: one decoded smaller or scaled on
    // the way is done sooner on one.
    const bool splits = spare && eighths == 8 && !band && !upper.multipleScans() &&
                        splitRow(height, qint64(width) * height, groupRows) < height;
    std::shared_ptr<LowerBand> lower;
    if (splits) {
        lower = std::make_shared<LowerBand>(upper.data(), bits, bytesPerLine, height, groupRows);
        spare([lower] { lower->run(); });
    }
    ScalingBand* const scaling = band ? &*band : nullptr;
    const auto readUpTo = [&](int, int end) { return upper.readRows(bits, bytesPerLine, end, scaling); };
    const bool done = lower ? lower->claims().doClaimed(readUpTo) : readUpTo(0, height);
    if (lower && lower->claims().close()) {
        // The spare core writes into the picture: it stays until that is over.
        const QString lowerError = lower->waitForError();
        if (done && !lowerError.isEmpty()) {
            d->error = lowerError;
            return {};
        }
    }
    if (!done || !upper.finish()) {
        d->error = upper.message();
        return {};
    }

    if (!profile.isEmpty()) {
        image.setColorSpace(QColorSpace::fromIccProfile(profile));
        if (!scaled.isNull())
            scaled.setColorSpace(image.colorSpace());
    }
    // As Qt's reader keeps the resolution: per inch or per centimetre.
    if (info.density_unit == 1) {
        image.setDotsPerMeterX(int(100.0 * info.X_density / 2.54));
        image.setDotsPerMeterY(int(100.0 * info.Y_density / 2.54));
    } else if (info.density_unit == 2) {
        image.setDotsPerMeterX(int(100.0 * info.X_density));
        image.setDotsPerMeterY(int(100.0 * info.Y_density));
    }
    // Decoded smaller, the picture is kept at the size drawn alone.
    const bool keptScaled = eighths < 8 && !scaled.isNull();
    image = orientation.upright(keptScaled ? scaled : image);
    scaled = keptScaled || scaled.isNull() ? QImage() : orientation.upright(scaled);
    d->scaled = image.size() == scaledTo ? image : scaled;
    return image;
}

QImage JpegReader::scaled() const
{
    return d->scaled;
}

QString JpegReader::errorString() const
{
    return d->error;
}

} // namespace ruvo
