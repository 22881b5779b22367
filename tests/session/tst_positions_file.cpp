#include "platform/application_process_service.h"
#include "platform/local_file_services.h"
#include "session/positions_file.h"
#include "support/file_bytes.h"
#include "support/full_file_system.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

ReadingPosition positionOf(const QByteArray& path, const QByteArray& page = "p2.jpg")
{
    return ReadingPosition{BookKey{path, 10, 20}, page, false};
}

enum class Kind
{
    Garbage,
    CutOff,
    Folder,
    Fifo,
    DanglingLink,
};

} // namespace

class TestPositionsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theStateFolderFollowsTheUsersSetting_data()
    {
        QTest::addColumn<QString>("xdgStateHome");
        QTest::addColumn<QString>("folder");
        QTest::newRow("set") << u"/var/state"_s << u"/var/state/Dudado/Ruvo"_s;
        QTest::newRow("unset") << QString() << u"/home/me/.local/state/Dudado/Ruvo"_s;
        QTest::newRow("relative, so ignored") << u"state"_s << u"/home/me/.local/state/Dudado/Ruvo"_s;
    }
    void theStateFolderFollowsTheUsersSetting()
    {
        QFETCH(QString, xdgStateHome);
        QFETCH(QString, folder);
        QCOMPARE(ApplicationProcessService::stateFolderFor(xdgStateHome, u"/home/me"_s), folder);
    }

    // The first write makes the folders on the way; what is written is read back.
    void positionsLastFromRunToRun()
    {
        QTemporaryDir dir;
        LocalFileServices files;
        const QString folder = dir.filePath(u"state/Dudado/Ruvo"_s);
        {
            PositionsFile file(files, folder);
            QCOMPARE(file.load(), PositionsFile::Loaded::None);
            file.positions().remember(positionOf("/b/one"));
            file.positions().remember(positionOf("/b/two", "\x83\x79.jpg"));
            QVERIFY(file.save());
        }
        PositionsFile again(files, folder);
        QCOMPARE(again.load(), PositionsFile::Loaded::Read);
        QCOMPARE(again.positions().inOrder(),
                 (QList<ReadingPosition>{positionOf("/b/two", "\x83\x79.jpg"), positionOf("/b/one")}));
        QVERIFY(!QFile::exists(again.path() + u".bak"_s));
    }

    // What cannot be read gives no positions, and stays as it was until the first write,
    // which keeps it aside as .bak before writing a new file.
    void whatCannotBeReadIsKeptAside_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("garbage") << int(Kind::Garbage);
        QTest::newRow("cut off") << int(Kind::CutOff);
        QTest::newRow("a folder") << int(Kind::Folder);
        QTest::newRow("a FIFO") << int(Kind::Fifo);
        QTest::newRow("a dangling link") << int(Kind::DanglingLink);
    }
    void whatCannotBeReadIsKeptAside()
    {
        QFETCH(int, kind);
        QTemporaryDir dir;
        LocalFileServices files;
        PositionsFile file(files, dir.path());
        const QString path = file.path();
        QByteArray bytes = "not ours\x00\xff"_ba;
        if (kind == int(Kind::CutOff)) {
            ReadingPositions positions;
            positions.remember(positionOf("/b/one"));
            bytes = positions.text().chopped(4);
        }
        switch (Kind(kind)) {
        case Kind::Garbage:
        case Kind::CutOff:
            QVERIFY(putFileBytes(path, bytes));
            break;
        case Kind::Folder:
            QVERIFY(QDir().mkdir(path));
            QVERIFY(putFileBytes(path + u"/inside"_s, "kept"));
            break;
        case Kind::Fifo:
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            break;
        case Kind::DanglingLink:
            QCOMPARE(::symlink("nowhere", QFile::encodeName(path).constData()), 0);
            break;
        }
        QCOMPARE(file.load(), PositionsFile::Loaded::Damaged);
        QVERIFY(file.positions().isEmpty());
        // Reading again reads nothing more.
        QCOMPARE(file.load(), PositionsFile::Loaded::Damaged);

        file.positions().remember(positionOf("/b/new"));
        QVERIFY(file.save());
        const QString kept = path + u".bak"_s;
        switch (Kind(kind)) {
        case Kind::Garbage:
        case Kind::CutOff:
            QCOMPARE(fileBytes(kept), bytes);
            break;
        case Kind::Folder:
            QCOMPARE(fileBytes(kept + u"/inside"_s), "kept"_ba);
            break;
        case Kind::Fifo:
            QVERIFY(QFileInfo(kept).exists());
            QVERIFY(!QFileInfo(kept).isFile());
            break;
        case Kind::DanglingLink:
            QCOMPARE(QFileInfo(kept).symLinkTarget(), dir.filePath(u"nowhere"_s));
            break;
        }
        PositionsFile again(files, dir.path());
        QCOMPARE(again.load(), PositionsFile::Loaded::Read);
        QCOMPARE(again.positions().inOrder(), QList<ReadingPosition>{positionOf("/b/new")});

        // Kept aside once: the next write is an ordinary one, and the .bak stays.
        const QFileInfo keptBefore(kept);
        file.positions().remember(positionOf("/b/newer"));
        QVERIFY(file.save());
        QFileInfo keptAfter(kept);
        QCOMPARE(keptAfter.lastModified(), keptBefore.lastModified());
        QCOMPARE(keptAfter.size(), keptBefore.size());
        QCOMPARE(QFileInfo(path).size(), qint64(file.positions().text().size()));
    }

    // When the damaged file cannot be kept aside, nothing is written over it.
    void aDamagedFileThatCannotBeKeptIsNotWrittenOver()
    {
        QTemporaryDir dir;
        LocalFileServices files;
        PositionsFile file(files, dir.path());
        QVERIFY(putFileBytes(file.path(), "damaged"));
        // A .bak that is a folder holding something cannot be renamed over.
        QVERIFY(QDir().mkdir(file.path() + u".bak"_s));
        QVERIFY(putFileBytes(file.path() + u".bak/x"_s, "x"));
        QCOMPARE(file.load(), PositionsFile::Loaded::Damaged);
        file.positions().remember(positionOf("/b/new"));
        QVERIFY(!file.save());
        QCOMPARE(fileBytes(file.path()), "damaged"_ba);
    }

    // A full disk loses the position being written, never the file.
    void aFullDiskKeepsTheFile()
    {
        FullFileSystem disk(512);
        if (!disk.isMounted())
            QSKIP("a tmpfs cannot be mounted here");
        LocalFileServices files;
        PositionsFile file(files, disk.path() + u"/Dudado/Ruvo"_s);
        for (int i = 0; i < 50; ++i)
            file.positions().remember(positionOf("/b/" + QByteArray::number(i)));
        QVERIFY(file.save());
        const QByteArray before = fileBytes(file.path());
        QVERIFY(disk.fillLeaving(0));
        // Far more than the disk has left.
        for (int i = 0; i < 1000; ++i)
            file.positions().remember(positionOf("/books/a long path to book " + QByteArray::number(i)));
        QVERIFY(!file.save());
        QCOMPARE(fileBytes(file.path()), before);
        PositionsFile again(files, disk.path() + u"/Dudado/Ruvo"_s);
        QCOMPARE(again.load(), PositionsFile::Loaded::Read);
        QCOMPARE(again.positions().inOrder().size(), 50);
    }

    // Without a state folder the positions live for the run only.
    void withoutAFolderNothingIsWritten()
    {
        LocalFileServices files;
        PositionsFile file(files, QString());
        QCOMPARE(file.load(), PositionsFile::Loaded::None);
        file.positions().remember(positionOf("/b/one"));
        QVERIFY(!file.save());
        QVERIFY(file.path().isEmpty());
    }

    // A file in the way of the folder: nothing is made, nothing written.
    void aFileInTheWayOfTheFolder()
    {
        QTemporaryDir dir;
        LocalFileServices files;
        QVERIFY(putFileBytes(dir.filePath(u"Dudado"_s), "a file"));
        PositionsFile file(files, dir.filePath(u"Dudado/Ruvo"_s));
        file.positions().remember(positionOf("/b/one"));
        QVERIFY(!file.save());
        QCOMPARE(fileBytes(dir.filePath(u"Dudado"_s)), "a file"_ba);
    }
};

QTEST_GUILESS_MAIN(TestPositionsFile)
#include "tst_positions_file.moc"
