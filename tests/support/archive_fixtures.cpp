#include "support/archive_fixtures.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

#include <archive.h>
#include <archive_entry.h>

namespace ruvo::test {

namespace {

quint32 crc32Of(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void put16(QByteArray& out, quint32 value)
{
    char bytes[2];
    qToLittleEndian<quint16>(quint16(value), bytes);
    out.append(bytes, 2);
}

void put32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian<quint32>(value, bytes);
    out.append(bytes, 4);
}

} // namespace

QByteArray storedZip(const QList<MemberSpec>& members)
{
    QByteArray out;
    QByteArray directory;
    for (const MemberSpec& member : members) {
        const quint32 offset = quint32(out.size());
        const quint32 flags = (member.encryptedFlag ? 0x0001 : 0) | (member.utf8Flag ? 0x0800 : 0);
        const quint32 size =
            member.declaredSize >= 0 ? quint32(member.declaredSize) : quint32(member.data.size());
        const quint32 crc = crc32Of(member.data);
        // The local header, then the data, stored.
        put32(out, 0x04034B50);
        put16(out, 20);
        put16(out, flags);
        put16(out, 0);
        put32(out, 0);
        put32(out, crc);
        put32(out, size);
        put32(out, size);
        put16(out, quint32(member.path.size()));
        put16(out, 0);
        out.append(member.path);
        out.append(member.data);
        // Its entry in the central directory.
        put32(directory, 0x02014B50);
        put16(directory, 0x031E);
        put16(directory, 20);
        put16(directory, flags);
        put16(directory, 0);
        put32(directory, 0);
        put32(directory, crc);
        put32(directory, size);
        put32(directory, size);
        put16(directory, quint32(member.path.size()));
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put32(directory, member.path.endsWith('/') ? 0x41ED0010 : 0x81A40000);
        put32(directory, offset);
        directory.append(member.path);
    }
    const quint32 directoryOffset = quint32(out.size());
    out.append(directory);
    put32(out, 0x06054B50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint32(members.size()));
    put16(out, quint32(members.size()));
    put32(out, quint32(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0);
    return out;
}

QByteArray writtenArchive(const char* format, const QList<MemberSpec>& members, const char* filter)
{
    struct archive* writer = archive_write_new();
    archive_write_set_format_by_name(writer, format);
    if (filter)
        archive_write_add_filter_by_name(writer, filter);
    QByteArray out(4 * 1024 * 1024, '\0');
    size_t used = 0;
    archive_write_set_bytes_in_last_block(writer, 1);
    archive_write_open_memory(writer, out.data(), size_t(out.size()), &used);
    for (const MemberSpec& member : members) {
        struct archive_entry* entry = archive_entry_new();
        archive_entry_copy_pathname(entry, member.path.constData());
        const bool folder = member.path.endsWith('/');
        archive_entry_set_filetype(entry, folder ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(entry, folder ? 0755 : 0644);
        archive_entry_set_size(entry, folder ? 0 : member.data.size());
        archive_write_header(writer, entry);
        if (!folder)
            archive_write_data(writer, member.data.constData(), size_t(member.data.size()));
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    out.truncate(qsizetype(used));
    return out;
}

QByteArray withDeclaredSizes(QByteArray zip, quint32 size)
{
    // The unpacked size lies 22 bytes into a local header, 24 into a central one; a local
    // header that defers its sizes to a descriptor after the data declares none there.
    const auto patch = [&](const char* mark, qsizetype offset) {
        for (qsizetype at = zip.indexOf(mark); at >= 0; at = zip.indexOf(mark, at + 4)) {
            if (at + offset + 4 <= zip.size() &&
                qFromLittleEndian<quint32>(zip.constData() + at + offset) != 0)
                qToLittleEndian<quint32>(size, zip.data() + at + offset);
        }
    };
    patch("PK\x03\x04", 22);
    patch("PK\x01\x02", 24);
    return zip;
}

QByteArray pagePicture(QColor color, const char* format, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace ruvo::test
