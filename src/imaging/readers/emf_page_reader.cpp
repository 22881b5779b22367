#include "imaging/readers/emf_page_reader.h"

#include "imaging/metafile/emf_page.h"
#include "imaging/metafile/emf_records.h"
#include "imaging/metafile/emf_renderer.h"
#include "imaging/metafile/emf_validator.h"
#include "imaging/readers/page_reading.h"
#include "imaging/stream_bytes.h"

#include <QtEndian>

namespace ruvo {

namespace {

// Each record starts with its type and its size in bytes.
constexpr qint64 kRecordHeadBytes = 8;

DecodedPicture drawEmf(const QByteArray& bytes)
{
    return EmfRenderer().render(bytes);
}

DecodedPicture decodeEmf(QIODevice& file, const SpareCore&, const ScaledSizeOf&)
{
    return drawMetafile(file, drawEmf);
}

// The records up to and including the end-of-file record, as the renderer counts them:
// each record's type and size are read, the rest stepped over. Nothing when the records do
// not reach the end-of-file record.
std::optional<qint64> recordCount(const StreamBytes& stream)
{
    const qint64 total = stream.size();
    qint64 at = 0;
    for (qint64 records = 1; records <= EmfValidator::kMaxRecords; ++records) {
        const QByteArray head = stream.at(at, kRecordHeadBytes);
        if (head.size() < kRecordHeadBytes)
            return std::nullopt;
        const qint64 size = qFromLittleEndian<quint32>(head.constData() + 4);
        if (size < kRecordHeadBytes || size % 4 != 0 || size > total - at)
            return std::nullopt;
        if (qFromLittleEndian<quint32>(head.constData()) == EmfRecord::EndOfFile)
            return records;
        at += size;
    }
    return std::nullopt;
}

// The size the renderer draws at: the header's page, made smaller for a picture of very
// many records.
std::optional<QSize> emfSize(QIODevice& file)
{
    const StreamBytes stream(file);
    const QByteArray header = stream.at(0, kEmfHeaderBytes);
    if (header.size() < kEmfHeaderBytes)
        return std::nullopt;
    EmfLayout layout;
    EmfPage::readHeader(header, layout);
    if (layout.deviceSize.isEmpty() || layout.deviceMillimetres.isEmpty())
        return std::nullopt;
    const std::optional<qint64> records = recordCount(stream);
    if (!records)
        return std::nullopt;
    layout.records = *records;
    QString error;
    const std::optional<EmfPage> page = EmfPage::of(layout, &error);
    if (!page)
        return std::nullopt;
    return page->size;
}

} // namespace

const PageReader emfPageReader{decodeEmf, emfSize};

} // namespace ruvo
