#include "books/rar4_headers.h"

#include <QtEndian>

namespace ruvo {

namespace {

constexpr QByteArrayView kRar4Mark("Rar!\x1A\x07\x00", 7);
constexpr quint8 kMainType = 0x73;
constexpr quint8 kFileType = 0x74;
constexpr quint8 kSubType = 0x7A;
constexpr quint8 kEndType = 0x7B;
constexpr quint16 kMainSolid = 0x0008;
constexpr quint16 kMainEncryptedHeaders = 0x0080;
constexpr quint16 kFileEncrypted = 0x0004;
constexpr quint16 kFileSolid = 0x0010;
constexpr quint16 kFileLarge = 0x0100;
constexpr quint16 kHasAddedSize = 0x8000;
constexpr int kBaseBytes = 7;
// Where a member's high 32 bits of packed size lie in its header.
constexpr int kHighPackedAt = 32;
// Far more blocks than any book holds; a walk past them is no book's.
constexpr int kMaxBlocks = 1 << 20;

} // namespace

Rar4Headers readRar4Headers(QIODevice& file)
{
    Rar4Headers headers;
    if (!file.seek(0) || file.read(kRar4Mark.size()) != kRar4Mark)
        return headers;
    headers.isRar4 = true;
    qint64 at = kRar4Mark.size();
    int members = 0;
    for (int block = 0; block < kMaxBlocks; ++block) {
        // A solid archive says so by its second member at the latest; only a solid one is
        // walked further, for what its members say of encryption.
        if (members >= 2 && !headers.solid)
            break;
        if (!file.seek(at))
            break;
        const QByteArray head = file.read(kHighPackedAt + 4);
        if (head.size() < kBaseBytes)
            break;
        const auto* bytes = reinterpret_cast<const uchar*>(head.constData());
        const quint8 type = bytes[2];
        const quint16 flags = qFromLittleEndian<quint16>(bytes + 3);
        const quint16 size = qFromLittleEndian<quint16>(bytes + 5);
        if (size < kBaseBytes || type == kEndType)
            break;
        if (type == kMainType) {
            headers.solid = headers.solid || (flags & kMainSolid);
            if (flags & kMainEncryptedHeaders) {
                headers.encryptedHeaders = true;
                break;
            }
        }
        quint64 data = 0;
        const bool member = type == kFileType || type == kSubType;
        if (member || (flags & kHasAddedSize)) {
            if (head.size() < kBaseBytes + 4)
                break;
            data = qFromLittleEndian<quint32>(bytes + kBaseBytes);
        }
        if (member && (flags & kFileLarge)) {
            if (head.size() < kHighPackedAt + 4)
                break;
            data |= quint64(qFromLittleEndian<quint32>(bytes + kHighPackedAt)) << 32;
        }
        if (type == kFileType) {
            ++members;
            headers.solid = headers.solid || (flags & kFileSolid);
            headers.encryptedMembers = headers.encryptedMembers || (flags & kFileEncrypted);
        }
        if (data > quint64(std::numeric_limits<qint64>::max() - at - size))
            break;
        at += size + qint64(data);
    }
    return headers;
}

} // namespace ruvo
