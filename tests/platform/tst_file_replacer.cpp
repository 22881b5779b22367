#include "platform/file_replacer.h"
#include "platform/local_file_services.h"
#include "support/file_bytes.h"
#include "support/full_file_system.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ruvo;
using namespace ruvo::test;

namespace {

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Which call fails, and how: the injected calls below read it.
enum class Fault
{
    None,
    WriteNoSpace,
    ShortWrites,
    FileSync,
    Close,
    Rename,
    FolderSync,
};
Fault fault = Fault::None;
int syncCalls = 0;

ssize_t faultyWrite(int fd, const void* data, size_t size)
{
    if (fault == Fault::WriteNoSpace) {
        errno = ENOSPC;
        return -1;
    }
    // Part of the data, then a file system that takes no more: what a disk filling up does.
    if (fault == Fault::ShortWrites) {
        static bool once = false;
        once = !once;
        if (!once)
            return 0;
        return ::write(fd, data, std::min<size_t>(size, 3));
    }
    return ::write(fd, data, size);
}

int faultySync(int fd)
{
    ++syncCalls;
    if ((fault == Fault::FileSync && syncCalls == 1) || (fault == Fault::FolderSync && syncCalls == 2)) {
        errno = EIO;
        return -1;
    }
    return ::fsync(fd);
}

int faultyClose(int fd)
{
    const int result = ::close(fd);
    if (fault == Fault::Close) {
        errno = EIO;
        return -1;
    }
    return result;
}

int faultyRename(const char* from, const char* to)
{
    if (fault == Fault::Rename) {
        errno = EXDEV;
        return -1;
    }
    return ::rename(from, to);
}

const FileSystemCalls faultyCalls{::mkstemp,    faultyWrite, faultySync, faultyClose,
                                  faultyRename, ::unlink,    ::mkdir,    FileSystemCalls::system().createNew};

const QByteArray oldShelf(" 1 \r\nVOL\r\n/books/a/p1.jpg\r\nA\r\n0ruv.bmp\r\n");
const QByteArray newShelf(" 0 \r\n");

} // namespace

class TestFileReplacer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        fault = Fault::None;
        syncCalls = 0;
    }

    void replacesAndCreates()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Hondana.ruv"));
        const FileReplacer replacer(faultyCalls);
        QVERIFY(replacer.replace(path, oldShelf));
        QCOMPARE(fileBytes(path), oldShelf);
        QVERIFY(replacer.replace(path, newShelf));
        QCOMPARE(fileBytes(path), newShelf);
        QVERIFY(replacer.replace(path, QByteArray()));
        QCOMPARE(QFileInfo(path).size(), 0);
        QCOMPARE(entriesOf(dir.path()), QStringList{QStringLiteral("Hondana.ruv")});
        // Both the file and its folder were synced on each write.
        QCOMPARE(syncCalls, 6);
        QVERIFY(QFileInfo(path).permissions().testFlag(QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(replacer.replace(path, oldShelf));
        QCOMPARE(QFileInfo(path).permissions() & ~QFile::Permissions(QFile::ReadUser | QFile::WriteUser),
                 QFile::Permissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    }

    void aFailingStepKeepsTheOldFile_data()
    {
        QTest::addColumn<Fault>("step");
        QTest::newRow("write: no space") << Fault::WriteNoSpace;
        QTest::newRow("write: stops part way") << Fault::ShortWrites;
        QTest::newRow("sync of the file") << Fault::FileSync;
        QTest::newRow("close") << Fault::Close;
        QTest::newRow("rename") << Fault::Rename;
    }

    void aFailingStepKeepsTheOldFile()
    {
        QFETCH(Fault, step);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Hondana.ruv"));
        QVERIFY(putFileBytes(path, oldShelf));

        fault = step;
        QVERIFY(!FileReplacer(faultyCalls).replace(path, newShelf + QByteArray(10000, 'x')));
        QCOMPARE(fileBytes(path), oldShelf);
        QCOMPARE(entriesOf(dir.path()), QStringList{QStringLiteral("Hondana.ruv")});
    }

    void aFolderThatWillNotSyncIsReportedWithTheNewFileInPlace()
    {
        // The rename has happened: the file is complete, but whether it lasts a power
        // cut is not known, so the write is not reported as done.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Hondana.ruv"));
        QVERIFY(putFileBytes(path, oldShelf));
        fault = Fault::FolderSync;
        QVERIFY(!FileReplacer(faultyCalls).replace(path, newShelf));
        QCOMPARE(fileBytes(path), newShelf);
        QCOMPARE(entriesOf(dir.path()), QStringList{QStringLiteral("Hondana.ruv")});
    }

    void aLinkToAFileReplacesTheFileAndKeepsTheLink()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("elsewhere"));
        const QString target = dir.filePath(QStringLiteral("elsewhere/Hondana.ruv"));
        const QString link = dir.filePath(QStringLiteral("Hondana.ruv"));
        QVERIFY(putFileBytes(target, oldShelf));
        QVERIFY(QFile::link(target, link));

        QVERIFY(FileReplacer().replace(link, newShelf));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(fileBytes(target), newShelf);
        QCOMPARE(entriesOf(dir.filePath(QStringLiteral("elsewhere"))),
                 QStringList{QStringLiteral("Hondana.ruv")});
    }

    void whatIsNoPlainFileIsNeverReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("dangling link") << "dangling link";
        QTest::newRow("link to a folder") << "link to a folder";
        QTest::newRow("folder") << "folder";
        QTest::newRow("fifo") << "fifo";
    }

    void whatIsNoPlainFileIsNeverReplaced()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("0ruv.bmp"));
        const QString outside = dir.filePath(QStringLiteral("outside"));
        if (kind == QLatin1String("dangling link")) {
            QVERIFY(QFile::link(outside, path));
        } else if (kind == QLatin1String("link to a folder")) {
            QVERIFY(QDir().mkdir(outside));
            QVERIFY(QFile::link(outside, path));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
        const QStringList before = entriesOf(dir.path());

        QVERIFY(!FileReplacer().replace(path, newShelf));
        QCOMPARE(entriesOf(dir.path()), before);
        if (kind == QLatin1String("link to a folder"))
            QVERIFY(entriesOf(outside).isEmpty());
        struct stat info;
        QCOMPARE(::lstat(QFile::encodeName(path).constData(), &info), 0);
        QVERIFY(!S_ISREG(info.st_mode));
    }

    void aReallyFullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("size");
        // Smaller than any write buffer: the bytes would only leave at the flush.
        QTest::newRow("a small shelf") << 64;
        QTest::newRow("a shelf of many books") << 200000;
    }

    void aReallyFullDiskKeepsTheOldFile()
    {
        QFETCH(int, size);
        FullFileSystem disk(512);
        if (!disk.isMounted())
            QSKIP("a tmpfs cannot be mounted here");
        const QString path = disk.path() + QStringLiteral("/Hondana.ruv");
        LocalFileServices files;
        QVERIFY(files.writeFile(path, oldShelf));
        QVERIFY(disk.fillLeaving(0));

        QVERIFY(!files.writeFile(path, QByteArray(size, 'y')));
        QCOMPARE(fileBytes(path), oldShelf);
        QCOMPARE(entriesOf(disk.path()),
                 (QStringList{QStringLiteral(".filler"), QStringLiteral("Hondana.ruv")}));
    }

    // A new file is made whole or not at all, and never over anything that has its name.
    void createMakesOnlyNewFiles_data()
    {
        QTest::addColumn<QString>("there");
        QTest::addColumn<Fault>("step");
        QTest::addColumn<bool>("made");
        QTest::newRow("a free name") << "" << Fault::None << true;
        QTest::newRow("a file") << "file" << Fault::None << false;
        QTest::newRow("a folder") << "folder" << Fault::None << false;
        QTest::newRow("a dangling link") << "dangling link" << Fault::None << false;
        QTest::newRow("a FIFO") << "fifo" << Fault::None << false;
        QTest::newRow("write: no space") << "" << Fault::WriteNoSpace << false;
        QTest::newRow("write: stops part way") << "" << Fault::ShortWrites << false;
        QTest::newRow("sync of the file") << "" << Fault::FileSync << false;
        QTest::newRow("close") << "" << Fault::Close << false;
        QTest::newRow("sync of the folder") << "" << Fault::FolderSync << false;
    }
    void createMakesOnlyNewFiles()
    {
        QFETCH(QString, there);
        QFETCH(Fault, step);
        QFETCH(bool, made);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Hondana.ruv.bak"));
        const QString outside = dir.filePath(QStringLiteral("outside"));
        if (there == QLatin1String("file"))
            QVERIFY(putFileBytes(path, oldShelf));
        else if (there == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        else if (there == QLatin1String("dangling link"))
            QVERIFY(QFile::link(outside, path));
        else if (there == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        const QStringList before = entriesOf(dir.path());

        fault = step;
        QCOMPARE(FileReplacer(faultyCalls).create(path, newShelf + QByteArray(10000, 'x')), made);
        if (made) {
            QCOMPARE(fileBytes(path), newShelf + QByteArray(10000, 'x'));
            return;
        }
        QCOMPARE(entriesOf(dir.path()), before);
        QVERIFY(!QFile::exists(outside));
        if (there == QLatin1String("file"))
            QCOMPARE(fileBytes(path), oldShelf);
    }

    void createOnAReallyFullDiskLeavesNothing()
    {
        FullFileSystem disk(512);
        if (!disk.isMounted())
            QSKIP("a tmpfs cannot be mounted here");
        LocalFileServices files;
        QVERIFY(disk.fillLeaving(4096));
        QVERIFY(!files.createFile(disk.path() + QStringLiteral("/Hondana.ruv.bak"), QByteArray(200000, 'y')));
        QCOMPARE(entriesOf(disk.path()), QStringList{QStringLiteral(".filler")});
    }
};

QTEST_GUILESS_MAIN(TestFileReplacer)
#include "tst_file_replacer.moc"
