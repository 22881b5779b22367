#include "books/archive_reader.h"

#include "books/libarchive_backend.h"
#include "books/member_paths.h"
#include "books/rar4_headers.h"
#include "books/unarr_rar_backend.h"
#include "platform/native_file.h"

#include <unistd.h>

namespace ruvo {

namespace {

constexpr qsizetype kReadBlockBytes = 16 * 1024;

} // namespace

ArchiveReader::ArchiveReader(const QString& path)
{
    // The file is opened here, so that a folder, a FIFO or a device is refused unread.
    if (!openForReading(m_file, path)) {
        m_openError = QStringLiteral("cannot open the archive");
        return;
    }
    m_stamp = fileStampOf(m_file.handle());
    const Rar4Headers rar4 = readRar4Headers(m_file);
    if (rar4.isRar4 && rar4.solid && !rar4.encryptedHeaders) {
        m_backend = std::make_unique<UnarrRarBackend>(m_file.handle(), rar4.encryptedMembers);
        return;
    }
    // The backend reads the file from its start, through its descriptor.
    m_file.seek(0);
    if (::lseek(m_file.handle(), 0, SEEK_SET) != 0) {
        m_openError = QStringLiteral("cannot read the archive");
        return;
    }
    m_backend = std::make_unique<LibarchiveBackend>(m_file.handle());
}

ArchiveReader::~ArchiveReader() = default;

QString ArchiveReader::error() const
{
    if (!m_openError.isEmpty())
        return m_openError;
    return m_backend ? m_backend->error() : QString();
}

ArchiveReader::Step ArchiveReader::next()
{
    m_hasEntry = false;
    if (!isOpen())
        return Step::Failed;
    const Step step = m_backend->next();
    m_hasEntry = step == Step::Entry;
    return step;
}

QString ArchiveReader::path() const
{
    return m_hasEntry ? m_backend->path() : QString();
}

bool ArchiveReader::isRegularFile() const
{
    return m_hasEntry && m_backend->isRegularFile();
}

bool ArchiveReader::isEncrypted() const
{
    return m_hasEntry && m_backend->isEncrypted();
}

qint64 ArchiveReader::declaredSize() const
{
    return m_hasEntry ? m_backend->declaredSize() : -1;
}

bool ArchiveReader::isPageEntry() const
{
    return isRegularFile() && declaredSize() != 0 && isPageMember(listedMemberPath(path()));
}

bool ArchiveReader::holdsEncryptedEntries() const
{
    return m_backend && m_backend->holdsEncryptedEntries();
}

bool ArchiveReader::isCompressedTar() const
{
    return m_hasEntry && m_backend->isCompressedTar();
}

bool ArchiveReader::canRead(QString* error) const
{
    const QString reason = !m_hasEntry     ? QStringLiteral("no member to read")
                           : isEncrypted() ? QStringLiteral("the member is encrypted")
                                           : QString();
    if (error && !reason.isEmpty())
        *error = reason;
    return reason.isEmpty();
}

std::optional<QByteArray> ArchiveReader::readHead(qint64 bytes, QString* error)
{
    if (!canRead(error))
        return std::nullopt;
    const qint64 declared = declaredSize();
    QByteArray head(declared >= 0 ? std::min(declared, bytes) : bytes, Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < head.size()) {
        const qint64 got = m_backend->readBlock(head.data() + filled, head.size() - filled, error);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        filled += got;
    }
    head.truncate(filled);
    return head;
}

std::optional<QByteArray> ArchiveReader::readData(qint64 maxBytes, QString* error)
{
    const auto refuse = [&](const QString& reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (!canRead(error))
        return std::nullopt;
    const qint64 declared = declaredSize();
    if (declared > maxBytes)
        return refuse(QStringLiteral("the member is too large"));
    // A member that declares its size is held to it: one that unpacks to more is damaged,
    // or made to unpack a little into a great deal.
    const qint64 limit = declared >= 0 ? declared : maxBytes;
    QByteArray data;
    data.reserve(declared > 0 ? declared : 0);
    QByteArray block(kReadBlockBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 got = m_backend->readBlock(block.data(), block.size(), error);
        if (got == 0)
            return data;
        if (got < 0)
            return std::nullopt;
        if (data.size() + got > limit) {
            return refuse(declared >= 0 ? QStringLiteral("the member unpacks to more than it declares")
                                        : QStringLiteral("the member is too large"));
        }
        if (data.size() + got > data.capacity())
            data.reserve(std::min(limit, std::max(data.capacity() * 2, data.size() + got)));
        data.append(block.constData(), got);
    }
}

} // namespace ruvo
