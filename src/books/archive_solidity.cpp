#include "books/archive_solidity.h"

#include "books/archive_format.h"
#include "books/rar4_headers.h"
#include "platform/native_file.h"

#include <QBuffer>
#include <optional>

namespace ruvo {

namespace {

constexpr QByteArrayView kRar5Mark("Rar!\x1A\x07\x01\x00", 8);
// RAR 5: the main header (type 1) follows the mark and a CRC; archive flag 0x0004 says solid.
constexpr quint64 kRar5MainType = 1;
constexpr quint64 kRar5ExtraAreaFlag = 0x0001;
constexpr quint64 kRar5SolidFlag = 0x0004;
constexpr int kHeadBytes = 64;

// A RAR 5 variable-length number: seven bits a byte, the high bit set on all but the last.
std::optional<quint64> readVint(QByteArrayView bytes, qsizetype& at)
{
    quint64 value = 0;
    for (int shift = 0; shift < 64 && at < bytes.size(); shift += 7) {
        const quint8 byte = quint8(bytes.at(at++));
        value |= quint64(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return value;
    }
    return std::nullopt;
}

bool isSolidRar5(QByteArrayView head)
{
    qsizetype at = kRar5Mark.size() + 4;
    const std::optional<quint64> size = readVint(head, at);
    const std::optional<quint64> type = readVint(head, at);
    const std::optional<quint64> flags = readVint(head, at);
    if (!size || !type || !flags || *type != kRar5MainType)
        return false;
    if ((*flags & kRar5ExtraAreaFlag) && !readVint(head, at))
        return false;
    const std::optional<quint64> archiveFlags = readVint(head, at);
    return archiveFlags && (*archiveFlags & kRar5SolidFlag);
}

// RAR 4 says so in its headers, which the start of the file may hold.
bool isSolidRar4(QByteArrayView head)
{
    QByteArray bytes = head.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readRar4Headers(buffer).solid;
}

} // namespace

bool isSolidArchiveContent(QByteArrayView head)
{
    switch (archiveFormatOfContent(head)) {
    case ArchiveFormat::SevenZip:
    case ArchiveFormat::CompressedTar:
        return true;
    case ArchiveFormat::Rar:
        return head.startsWith(kRar5Mark) ? isSolidRar5(head) : isSolidRar4(head);
    default:
        return false;
    }
}

bool isSolidArchive(const QString& path)
{
    QFile file;
    if (!openForReading(file, path))
        return false;
    const QByteArray head = file.read(std::max(kHeadBytes, archiveSignatureBytes));
    // A RAR 4 member may say it goes on from the one before where the main header does not,
    // past the start of the file.
    if (const Rar4Headers rar4 = readRar4Headers(file); rar4.isRar4)
        return rar4.solid;
    return isSolidArchiveContent(head);
}

} // namespace ruvo
