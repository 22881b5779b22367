#include "books/archive_members.h"

#include "books/archive_reader.h"
#include "books/archive_solidity.h"
#include "books/member_paths.h"
#include "imaging/picture_limits.h"

namespace ruvo {

namespace {

std::optional<QByteArray> refused(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

} // namespace

ArchiveMembers::ArchiveMembers(QString path, Options options)
    : m_path(std::move(path)), m_options(std::move(options))
{
    if (m_options.passInOrder && isSolidArchive(m_path))
        m_pass = std::thread([this] { passThrough(); });
}

ArchiveMembers::~ArchiveMembers()
{
    m_stop = true;
    if (m_pass.joinable())
        m_pass.join();
}

const ArchiveIndex& ArchiveMembers::index()
{
    std::call_once(m_indexed, [this] { m_index = indexArchive(m_path); });
    return m_index;
}

std::unique_ptr<ArchiveReader> ArchiveMembers::openReader(QString* error)
{
    const FileStamp& indexed = index().stamp;
    auto reader = std::make_unique<ArchiveReader>(m_path);
    if (reader->isOpen() && reader->stamp() != indexed) {
        if (error)
            *error = QStringLiteral("the archive has changed since it was opened");
        return nullptr;
    }
    return reader;
}

std::optional<QByteArray> ArchiveMembers::unpack(ArchiveReader& reader, QString* error)
{
    // A page takes no more than it declares, and never more than a page may.
    const qint64 declared = reader.declaredSize();
    const qint64 most = declared >= 0 ? std::min(declared, kArchivePageMaxBytes) : kArchivePageMaxBytes;
    std::optional<UnpackBudget::Share> share;
    if (m_options.budget)
        share.emplace(*m_options.budget, most);
    return reader.readData(kArchivePageMaxBytes, error);
}

std::optional<QByteArray> ArchiveMembers::read(const QString& member, QString* error)
{
    if (!isPageMember(member))
        return refused(error, QStringLiteral("not a page of the archive"));
    const QString stored = index().storedPathOf(member);
    if (!m_pass.joinable())
        return readNow(stored, error);
    return readKept(stored, kArchivePageMaxBytes, error);
}

std::optional<QByteArray> ArchiveMembers::readHead(const QString& member, qint64 bytes, QString* error)
{
    if (!isPageMember(member))
        return refused(error, QStringLiteral("not a page of the archive"));
    const QString stored = index().storedPathOf(member);
    if (m_pass.joinable())
        return readKept(stored, bytes, error);
    const std::lock_guard lock(m_headMutex);
    if (!seek(m_headCursor, stored, error))
        return std::nullopt;
    std::optional<QByteArray> head = m_headCursor.reader->readHead(bytes, error);
    if (!head)
        m_headCursor.reader.reset();
    return head;
}

std::optional<QByteArray> ArchiveMembers::readKept(const QString& stored, qint64 maxBytes, QString* error)
{
    const ArchiveIndex& indexed = index();
    std::unique_lock lock(m_mutex);
    m_kept.wait(lock, [&] { return m_passDone || m_pages.contains(stored); });
    // The pass starts as the book opens, beside the index: what it read must be what was indexed.
    if (m_passStamp != indexed.stamp)
        return refused(error, QStringLiteral("the archive has changed since it was opened"));
    const auto kept = m_pages.constFind(stored);
    if (kept == m_pages.cend())
        return refused(error, m_passError.isEmpty() ? QStringLiteral("file not found") : m_passError);
    if (!kept->error.isEmpty())
        return refused(error, kept->error);
    if (kept->offset < 0)
        return kept->bytes.size() <= maxBytes ? kept->bytes : kept->bytes.first(maxBytes);
    std::optional<QByteArray> bytes = m_spill->read(kept->offset, std::min(kept->size, maxBytes));
    return bytes ? bytes : refused(error, QStringLiteral("cannot read the page back"));
}

std::optional<QByteArray> ArchiveMembers::readNow(const QString& member, QString* error)
{
    std::unique_lock lock(m_readerMutex, std::try_to_lock);
    if (!lock.owns_lock())
        return readBeside(member, error);
    if (!seek(m_pageCursor, member, error))
        return std::nullopt;
    std::optional<QByteArray> bytes = unpack(*m_pageCursor.reader, error);
    // A member that failed to unpack may leave the reader anywhere: the next read starts over.
    if (!bytes)
        m_pageCursor.reader.reset();
    return bytes;
}

std::optional<QByteArray> ArchiveMembers::readBeside(const QString& member, QString* error)
{
    const std::unique_ptr<ArchiveReader> reader = readerAt(member, error);
    return reader ? unpack(*reader, error) : std::nullopt;
}

std::unique_ptr<ArchiveReader> ArchiveMembers::readerAt(const QString& stored, QString* error)
{
    ++m_readsFromStart;
    std::unique_ptr<ArchiveReader> reader = openReader(error);
    if (!reader)
        return nullptr;
    for (;;) {
        const ArchiveReader::Step step = reader->next();
        if (step == ArchiveReader::Step::Failed) {
            refused(error, reader->error());
            return nullptr;
        }
        if (step == ArchiveReader::Step::End) {
            refused(error, QStringLiteral("file not found"));
            return nullptr;
        }
        if (reader->isRegularFile() && reader->path() == stored)
            return reader;
    }
}

bool ArchiveMembers::seek(Cursor& cursor, const QString& member, QString* error)
{
    const auto known = cursor.positions.constFind(member);
    if (cursor.reader && known != cursor.positions.cend() && *known <= cursor.at)
        cursor.reader.reset();
    bool fromStart = !cursor.reader;
    for (;;) {
        if (!cursor.reader) {
            ++m_readsFromStart;
            cursor.reader = openReader(error);
            if (!cursor.reader)
                return false;
            cursor.at = -1;
            fromStart = true;
        }
        for (;;) {
            const ArchiveReader::Step step = cursor.reader->next();
            if (step == ArchiveReader::Step::Failed) {
                if (error)
                    *error = cursor.reader->error();
                cursor.reader.reset();
                return false;
            }
            if (step == ArchiveReader::Step::End)
                break;
            ++cursor.at;
            if (!cursor.reader->isRegularFile())
                continue;
            const QString path = cursor.reader->path();
            cursor.positions.insert(path, cursor.at);
            if (path == member)
                return true;
        }
        // Not ahead of the reader: behind it, unless it was looked for from the start.
        cursor.reader.reset();
        if (fromStart) {
            if (error)
                *error = QStringLiteral("file not found");
            return false;
        }
    }
}

void ArchiveMembers::passThrough()
{
    ++m_readsFromStart;
    QString failure;
    // Opened at once rather than after the index, so that the first pages come as soon as
    // they can; read() holds what it read to the index.
    const auto reader = std::make_unique<ArchiveReader>(m_path);
    {
        const std::lock_guard lock(m_mutex);
        m_passStamp = reader->stamp();
    }
    while (!m_stop) {
        const ArchiveReader::Step step = reader->next();
        if (step == ArchiveReader::Step::End)
            break;
        if (step == ArchiveReader::Step::Failed) {
            failure = reader->error();
            break;
        }
        const QString member = reader->path();
        if (!reader->isPageEntry())
            continue;
        {
            // A path stored twice names its first member.
            const std::lock_guard lock(m_mutex);
            if (m_pages.contains(member))
                continue;
        }
        QString error;
        std::optional<QByteArray> bytes = unpack(*reader, &error);
        keep(member, std::move(bytes), error);
    }
    const std::lock_guard lock(m_mutex);
    m_passDone = true;
    m_passError = failure;
    m_kept.notify_all();
}

void ArchiveMembers::keep(const QString& member, std::optional<QByteArray> bytes, const QString& error)
{
    // The spill file is written and read under the lock.
    const std::lock_guard lock(m_mutex);
    Kept kept;
    kept.error = bytes ? QString() : error;
    if (bytes && m_inMemory + bytes->size() > m_options.memoryCap) {
        if (!m_spill)
            m_spill = std::make_unique<SpillFile>(m_options.spillFolder);
        const std::optional<qint64> offset = m_spill->append(*bytes);
        if (offset) {
            kept.offset = *offset;
            kept.size = bytes->size();
        } else {
            kept.error = QStringLiteral("no room to keep the page");
        }
    } else if (bytes) {
        kept.bytes = std::move(*bytes);
    }
    m_inMemory += kept.bytes.size();
    m_pages.insert(member, std::move(kept));
    m_kept.notify_all();
}

} // namespace ruvo
