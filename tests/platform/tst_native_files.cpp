#include "imaging/cache/prefetching_page_cache.h"
#include "imaging/file_picture_decoder.h"
#include "platform/local_file_services.h"
#include "platform/native_name.h"
#include "platform/path_on_disk.h"
#include "platform/paths.h"
#include "support/raw_files.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace ruvo;
using namespace ruvo::test;

class TestNativeFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_folder = m_dir->path();
    }
    // Names in other encodings are out of Qt's reach: the folder goes by its bytes.
    void cleanup() { QVERIFY(removeRawTree(nativeName(m_folder))); }

    // Every listed name leads back to its file, whatever encoding it was written in.
    void listedNamesReachTheirFiles_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("code page 932") << QByteArray("\x8A\xBF\x8E\x9A.jpg");
        QTest::newRow("latin-1") << QByteArray("caf\xE9.jpg");
        QTest::newRow("utf-8") << QByteArray("\xE6\xBC\xAB.jpg");
        QTest::newRow("not valid anywhere") << QByteArray("\xFF\xFE.jpg");
    }
    void listedNamesReachTheirFiles()
    {
        QFETCH(QByteArray, name);
        QVERIFY(putRawFile(QFile::encodeName(m_folder) + '/' + name, jpegOf({30, 20}, Qt::darkCyan)));
        LocalFileServices files;
        const std::optional<QStringList> listed = files.listFiles(m_folder);
        QVERIFY(listed.has_value());
        QCOMPARE(listed->size(), 1);
        const QString path = joinPath(m_folder, listed->first());
        QCOMPARE(nativeName(listed->first()), name);

        QCOMPARE(files.attributes(path), std::optional<int>(0));
        QCOMPARE(files.lookup(path), listed->first());
        const DecodedPicture picture = FilePictureDecoder().decode(path);
        QCOMPARE(picture.error, QString());
        QCOMPARE(picture.image.size(), QSize(30, 20));
        PrefetchingPageCache prefetching(m_decoder);
        prefetching.prefetch({PageRef::file(path, PageFormats::Basic)});
        QCOMPARE(prefetching.take(PrefetchRequest(PageRef::file(path, PageFormats::Basic)), {}).image.size(),
                 QSize(30, 20));

        QVERIFY(files.removeFile(path));
        QCOMPARE(files.listFiles(m_folder), std::optional<QStringList>(QStringList()));
    }

    // A shelf kept in a folder whose name is not UTF-8 is written and read, and names in its
    // lines lead back to the exact bytes: the file is code page 932 text, the names in it
    // those bytes, read as the readable names that find them again.
    void foreignFolderHoldsAShelf()
    {
        const QString folder = joinPath(m_folder, nameFromNative("\x96\x7B\x92\x49"));
        LocalFileServices files;
        QVERIFY(files.createFolder(folder));
        QVERIFY(files.attributes(folder).value_or(0) & FileAttribute::Directory);
        QCOMPARE(files.lookup(folder, true), fileNameOf(folder));
        const QString page = joinPath(folder, nameFromNative("\x82\xA0"));
        QVERIFY(files.writeFile(page, "page"));
        const QString shelf = joinPath(folder, QStringLiteral("Hondana.ruv"));
        const QStringList lines{QStringLiteral("1"), page};
        QVERIFY(files.writeLines(shelf, lines));
        QCOMPARE(files.readFile(shelf, 1024), std::optional<QByteArray>("1\r\n" + nativeName(page) + "\r\n"));
        const std::optional<QStringList> read = files.readLines(shelf);
        QVERIFY(read.has_value());
        QCOMPARE(read->size(), 2);
        QCOMPARE(read->at(1), joinPath(m_folder, QStringLiteral("本棚/あ")));
        QCOMPARE(pathOnDisk(files, read->at(1)), page);
        std::optional<QStringList> listed = files.listFiles(folder);
        QVERIFY(listed.has_value());
        listed->sort();
        QCOMPARE(*listed, QStringList({QStringLiteral("Hondana.ruv"), fileNameOf(page)}));
    }

    // Only plain files are opened: a folder or a FIFO named like a page is refused
    // at once, never waited on.
    void onlyPlainFilesAreDecoded_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("missing") << "missing";
    }
    void onlyPlainFilesAreDecoded()
    {
        QFETCH(QString, kind);
        const QByteArray path = QFile::encodeName(m_folder) + "/page.jpg";
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(path.constData(), 0644), 0);
        else if (kind == QLatin1String("folder"))
            QCOMPARE(::mkdir(path.constData(), 0755), 0);
        const DecodedPicture picture = FilePictureDecoder().decode(QFile::decodeName(path));
        QVERIFY(picture.image.isNull());
        QVERIFY(!picture.error.isEmpty());
        QCOMPARE(picture.error == QLatin1String("file not found"), kind == QLatin1String("missing"));
        QVERIFY(!LocalFileServices().readLines(QFile::decodeName(path)).has_value());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    FilePictureDecoder m_decoder;
};

QTEST_MAIN(TestNativeFiles)
#include "tst_native_files.moc"
