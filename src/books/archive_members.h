#pragma once

#include "books/archive_index.h"
#include "books/spill_file.h"
#include "books/unpack_budget.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace ruvo {

class ArchiveReader;

// The members of an archive book, handing out their bytes.
//
// Read on demand, a page is reached without unpacking any other: in a ZIP through its
// central directory, in a tar or a RAR that is not solid by skipping the members before it.
// One reader is kept open and goes on forward from the last page read; it is opened again
// only to go back. A page asked for while that reader is busy with another is read beside it
// by a reader of its own, so that the two pages of a spread unpack side by side. A page's first
// bytes, which tell what it is, are read by another reader kept the same way.
// A solid archive is read once instead, in its own order, on a thread of its own: each
// page's bytes are kept as the pass reaches them (in memory up to a cap, beyond it in a
// private file with no name), a page is handed out as soon as the pass has it, and a page
// passed is at hand at once. The pass stops, and everything it kept goes, with the book.
// Every reading reads the file the index was read from: once the archive is replaced on
// disk, its pages are refused rather than read from the new file.
class ArchiveMembers
{
public:
    // What a book may keep in memory of a solid archive's pages.
    static constexpr qint64 defaultMemoryCap = qint64(64) * 1024 * 1024;

    struct Options
    {
        // Read a solid archive in one pass rather than a page at a time.
        bool passInOrder = false;
        qint64 memoryCap = defaultMemoryCap;
        // Where kept pages beyond the cap go; the system's temporary folder when empty.
        QString spillFolder;
        // What pages being unpacked may hold at once, shared with other archives; none
        // when unset.
        std::shared_ptr<UnpackBudget> budget = {};
    };

    ArchiveMembers(QString path, Options options);
    ~ArchiveMembers();
    ArchiveMembers(const ArchiveMembers&) = delete;
    ArchiveMembers& operator=(const ArchiveMembers&) = delete;

    const QString& path() const { return m_path; }
    // The archive's pages, read once, when first asked for. Safe to call from any thread.
    const ArchiveIndex& index();
    bool readsInOnePass() const { return m_pass.joinable(); }
    // The member's bytes; nothing, with the reason in error, when they cannot be had. Safe
    // to call from any thread.
    std::optional<QByteArray> read(const QString& member, QString* error);
    // The member's first bytes, at most that many: in a solid archive once the pass has
    // it, otherwise by a reader of its own that unpacks no more of it. Safe to call from any
    // thread.
    std::optional<QByteArray> readHead(const QString& member, qint64 bytes, QString* error);
    // How many times the archive has been read through from its start, for the benchmarks
    // and the tests.
    int readsFromStart() const { return m_readsFromStart; }

private:
    // A reader kept open that goes on forward, and where each member it passed lies.
    struct Cursor
    {
        std::unique_ptr<ArchiveReader> reader;
        int at = -1;
        QHash<QString, int> positions;
    };

    struct Kept
    {
        QByteArray bytes;
        // In the spill file when not in memory.
        qint64 offset = -1;
        qint64 size = 0;
        QString error;
    };

    // What the pass kept of a stored member, at most maxBytes of it, once it has it.
    std::optional<QByteArray> readKept(const QString& stored, qint64 maxBytes, QString* error);
    // A reader of its own at the stored member, opened from the archive's start.
    std::unique_ptr<ArchiveReader> readerAt(const QString& stored, QString* error);
    std::optional<QByteArray> readNow(const QString& member, QString* error);
    // Reads the member with a reader of its own, from the archive's start.
    std::optional<QByteArray> readBeside(const QString& member, QString* error);
    // Moves the cursor's reader to the member, from where it is, or from the start when the
    // member lies behind it; false when the archive does not hold it.
    bool seek(Cursor& cursor, const QString& member, QString* error);
    void passThrough();
    void keep(const QString& member, std::optional<QByteArray> bytes, const QString& error);
    // A new reader of the archive, or nothing with the reason in error when the file is no
    // longer the one indexed.
    std::unique_ptr<ArchiveReader> openReader(QString* error);
    // The member the reader is at, unpacked within the budget.
    std::optional<QByteArray> unpack(ArchiveReader& reader, QString* error);

    const QString m_path;
    const Options m_options;
    std::once_flag m_indexed;
    ArchiveIndex m_index;
    // The reader pages are read with on demand, and the one their first bytes are read with:
    // each goes on forward from the last member it read.
    std::mutex m_readerMutex;
    Cursor m_pageCursor;
    std::mutex m_headMutex;
    Cursor m_headCursor;
    std::atomic<int> m_readsFromStart{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_kept;
    QHash<QString, Kept> m_pages;
    qint64 m_inMemory = 0;
    bool m_passDone = false;
    // The file the pass reads.
    FileStamp m_passStamp;
    QString m_passError;
    std::unique_ptr<SpillFile> m_spill;
    std::thread m_pass;
};

} // namespace ruvo
