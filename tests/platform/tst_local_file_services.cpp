#include "platform/code_page.h"
#include "platform/local_file_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ruvo;

namespace {

const QByteArray Bom("\xEF\xBB\xBF", 3);

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lowers the file size limit for this process for as long as it lives; the signal that
// normally kills a writer past the limit is ignored so that the write fails with EFBIG instead.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_ok = getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        m_ok = m_ok && setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool isActive() const { return m_ok; }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = SIG_DFL;
    bool m_ok = false;
};

} // namespace

class TestLocalFileServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codePageBytes_data();
    void codePageBytes();
    void utf8Fallback_data();
    void utf8Fallback();
    void roundTrip_data();
    void roundTrip();
    void readLines_data();
    void readLines();
    void readLinesUnreadable();
    void failedReplaceKeepsOldContents();
    void writeIntoMissingFolderFails();
    void attributes_data();
    void attributes();
    void readOnlyFile();
    void lookup_data();
    void lookup();
    void entryKind_data();
    void entryKind();
    void volumeLabelOfMissingPath();
    void createFolder();
    void removeFile();
};

void TestLocalFileServices::codePageBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("kanji") << QStringLiteral("本") << QByteArray("\x96\x7B");
    QTest::newRow("half-width katakana") << QStringLiteral("ﾃｽﾄ") << QByteArray("\xC3\xBD\xC4");
    QTest::newRow("path") << QStringLiteral("C:/漫画") << QByteArray("C:/\x96\x9F\x89\xE6");
    // Characters only the Microsoft variant of the code page has.
    QTest::newRow("circled digit") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("full-width tilde") << QStringLiteral("～") << QByteArray("\x81\x60");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestLocalFileServices::codePageBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    QCOMPARE(encodeCodePageText(text), bytes);
    QCOMPARE(decodeCodePageText(bytes), text);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    LocalFileServices files;
    QVERIFY(files.writeLines(path, {text}));
    QCOMPARE(readBytes(path), bytes + "\r\n");
}

void TestLocalFileServices::utf8Fallback_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("emoji") << QStringLiteral("📚");
    QTest::newRow("hangul") << QStringLiteral("만화책");
    QTest::newRow("japanese and emoji") << QStringLiteral("C:/漫画/ﾃｽﾄ/📚.zip");
    QTest::newRow("yen sign") << QStringLiteral("¥500");
    QTest::newRow("text starting with a mark") << (QChar(0xFEFF) + QStringLiteral("本"));
}

void TestLocalFileServices::utf8Fallback()
{
    QFETCH(QString, text);

    const QByteArray bytes = encodeCodePageText(text);
    QCOMPARE(bytes.left(3), Bom);
    QCOMPARE(bytes.mid(3), text.toUtf8());
    QCOMPARE(decodeCodePageText(bytes), text);
}

void TestLocalFileServices::roundTrip_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("utf8");

    QTest::newRow("japanese paths") << QStringList{QStringLiteral("C:/漫画/ﾃｽﾄ"),
                                                   QStringLiteral("D:/本棚/ｶﾀｶﾅ・ひらがな.zip")}
                                    << false;
    QTest::newRow("ascii") << QStringList{QStringLiteral("[shelf]"), QStringLiteral("count=3")} << false;
    QTest::newRow("empty lines inside")
        << QStringList{QString(), QStringLiteral("本"), QString(), QStringLiteral("終")} << false;
    QTest::newRow("single empty line") << QStringList{QString()} << false;
    QTest::newRow("no lines") << QStringList{} << false;
    QTest::newRow("emoji") << QStringList{QStringLiteral("C:/漫画"), QStringLiteral("📚 shelf")} << true;
    QTest::newRow("hangul") << QStringList{QStringLiteral("만화"), QStringLiteral("ﾃｽﾄ")} << true;
}

void TestLocalFileServices::roundTrip()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, utf8);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    LocalFileServices files;
    QVERIFY(files.writeLines(path, lines));

    const QByteArray bytes = readBytes(path);
    QCOMPARE(bytes.startsWith(Bom), utf8);
    // Every line, and only a line, ends in CR LF; there is no bare LF.
    QCOMPARE(bytes.count("\r\n"), lines.size());
    QCOMPARE(bytes.count('\n'), lines.size());
    QVERIFY(lines.isEmpty() ? bytes.isEmpty() : bytes.endsWith("\r\n"));

    const std::optional<QStringList> read = files.readLines(path);
    QVERIFY(read.has_value());
    QCOMPARE(*read, lines);
}

void TestLocalFileServices::readLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("lf only") << QByteArray("one\ntwo\n") << QStringList{"one", "two"};
    QTest::newRow("cr lf") << QByteArray("one\r\ntwo\r\n") << QStringList{"one", "two"};
    QTest::newRow("mixed endings") << QByteArray("one\r\ntwo\nthree\r\n")
                                   << QStringList{"one", "two", "three"};
    QTest::newRow("no final line end") << QByteArray("one\r\ntwo") << QStringList{"one", "two"};
    QTest::newRow("single line without end") << QByteArray("one") << QStringList{"one"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList{QString()};
    QTest::newRow("empty first line")
        << QByteArray("\r\nsecond\r\nthird\r\n") << QStringList{QString(), "second", "third"};
    QTest::newRow("empty lines lf") << QByteArray("\n\nlast") << QStringList{QString(), QString(), "last"};
    QTest::newRow("lone cr is text") << QByteArray("a\rb\r\n") << QStringList{"a\rb"};
    QTest::newRow("code page") << QByteArray("\x96\x7B\r\n\xC3\xBD\xC4\r\n")
                               << QStringList{QStringLiteral("本"), QStringLiteral("ﾃｽﾄ")};
    QTest::newRow("utf-8 after mark") << QByteArray("\xEF\xBB\xBF\xF0\x9F\x93\x9A\r\n\xE6\x9C\xAC\n")
                                      << QStringList{QStringLiteral("📚"), QStringLiteral("本")};
    QTest::newRow("only a mark") << QByteArray("\xEF\xBB\xBF") << QStringList{};
}

void TestLocalFileServices::readLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    QVERIFY(writeBytes(path, bytes));

    const std::optional<QStringList> read = LocalFileServices().readLines(path);
    QVERIFY(read.has_value());
    QCOMPARE(*read, lines);
}

void TestLocalFileServices::readLinesUnreadable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    LocalFileServices files;
    QVERIFY(!files.readLines(dir.filePath(QStringLiteral("missing.txt"))).has_value());
    QVERIFY(!files.readLines(dir.path()).has_value());
}

void TestLocalFileServices::failedReplaceKeepsOldContents()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("shelf.txt"));
    LocalFileServices files;
    const QStringList old{QStringLiteral("C:/漫画/古い"), QStringLiteral("second")};
    QVERIFY(files.writeLines(path, old));
    const QByteArray oldBytes = readBytes(path);

    const QStringList big(4096, QStringLiteral("D:/本棚/ﾃｽﾄ/a rather long line to fill the file"));
    constexpr rlim_t Limit = 16 * 1024;
    {
        FileSizeLimit limit(Limit);
        QVERIFY(limit.isActive());
        QVERIFY(!files.writeLines(path, big));
    }

    QCOMPARE(readBytes(path), oldBytes);
    QCOMPARE(files.readLines(path), std::optional<QStringList>(old));
    const QStringList entries =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(entries, QStringList{QStringLiteral("shelf.txt")});

    // The same write goes through once the limit is gone, so the limit was what stopped it.
    QVERIFY(encodeCodePageText(big.join(QStringLiteral("\r\n"))).size() > qsizetype(Limit));
    QVERIFY(files.writeLines(path, big));
    QCOMPARE(files.readLines(path), std::optional<QStringList>(big));
}

void TestLocalFileServices::writeIntoMissingFolderFails()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("missing/list.txt"));
    QVERIFY(!LocalFileServices().writeLines(path, {QStringLiteral("本")}));
    QVERIFY(!QFile::exists(path));
}

void TestLocalFileServices::attributes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("expected");

    QTest::newRow("missing") << QStringLiteral("missing.zip") << "none" << false << 0;
    QTest::newRow("dangling link") << QStringLiteral("broken.zip") << "dangling link" << false << 0;
    QTest::newRow("plain file") << QStringLiteral("book.zip") << "file" << true << 0;
    QTest::newRow("dot file") << QStringLiteral(".book.zip") << "file" << true << FileAttribute::Hidden;
    QTest::newRow("directory") << QStringLiteral("shelf") << "dir" << true << FileAttribute::Directory;
    QTest::newRow("dot directory") << QStringLiteral(".shelf") << "dir" << true
                                   << (FileAttribute::Directory | FileAttribute::Hidden);
    QTest::newRow("directory with slash")
        << QStringLiteral("shelf/") << "dir" << true << FileAttribute::Directory;
}

void TestLocalFileServices::attributes()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, exists);
    QFETCH(int, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    if (kind == QLatin1String("file"))
        QVERIFY(writeBytes(path, "x"));
    else if (kind == QLatin1String("dir"))
        QVERIFY(QDir(dir.path()).mkdir(name));
    else if (kind == QLatin1String("dangling link"))
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone.zip")), path));

    const std::optional<int> attributes = LocalFileServices().attributes(path);
    QCOMPARE(attributes.has_value(), exists);
    if (exists)
        QCOMPARE(*attributes, expected);
}

void TestLocalFileServices::readOnlyFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("locked.zip"));
    QVERIFY(writeBytes(path, "x"));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    // Root may write anything, so for root the file is not read-only.
    const int expected = getuid() == 0 ? 0 : FileAttribute::ReadOnly;
    QCOMPARE(LocalFileServices().attributes(path), std::optional<int>(expected));
}

void TestLocalFileServices::lookup_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<bool>("directoryToo");
    QTest::addColumn<QString>("expected");

    QTest::newRow("file") << "shelf/book.zip" << false << "book.zip";
    QTest::newRow("file, directory too") << "shelf/book.zip" << true << "book.zip";
    QTest::newRow("directory") << "shelf" << false << "";
    QTest::newRow("directory, directory too") << "shelf" << true << "shelf";
    QTest::newRow("directory with slash") << "shelf/" << true << "shelf";
    QTest::newRow("missing") << "shelf/other.zip" << true << "";
    QTest::newRow("missing folder") << "gone/book.zip" << false << "";
}

void TestLocalFileServices::lookup()
{
    QFETCH(QString, relativePath);
    QFETCH(bool, directoryToo);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("shelf")));
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("shelf/book.zip")), "x"));

    QCOMPARE(LocalFileServices().lookup(dir.filePath(relativePath), directoryToo), expected);
}

void TestLocalFileServices::entryKind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::optional<EntryKind>>("expected");

    QTest::newRow("plain file") << "file" << std::optional(EntryKind::PlainFile);
    QTest::newRow("folder") << "folder" << std::optional(EntryKind::Folder);
    QTest::newRow("link to a file") << "link" << std::optional(EntryKind::Link);
    QTest::newRow("dangling link") << "dangling" << std::optional(EntryKind::Link);
    QTest::newRow("FIFO") << "fifo" << std::optional(EntryKind::Other);
    QTest::newRow("nothing") << "free" << std::optional<EntryKind>();
    QTest::newRow("empty path") << "" << std::optional<EntryKind>();
}

void TestLocalFileServices::entryKind()
{
    QFETCH(QString, name);
    QFETCH(std::optional<EntryKind>, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("file")), "x"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("file")), dir.filePath(QStringLiteral("link"))));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), dir.filePath(QStringLiteral("dangling"))));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600), 0);

    QCOMPARE(LocalFileServices().entryKind(name.isEmpty() ? QString() : dir.filePath(name)), expected);
}

void TestLocalFileServices::volumeLabelOfMissingPath()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    LocalFileServices files;
    QCOMPARE(files.volumeLabel(dir.filePath(QStringLiteral("gone/deeper"))), QString());
    QCOMPARE(files.lookup(QString(), true), QString());
    QVERIFY(!files.attributes(QString()).has_value());
}

void TestLocalFileServices::createFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    LocalFileServices files;
    const QString folder = dir.filePath(QStringLiteral("shelf"));

    QVERIFY(files.createFolder(folder));
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(!files.createFolder(folder));
    // One level only.
    QVERIFY(!files.createFolder(dir.filePath(QStringLiteral("gone/shelf"))));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("gone"))));
}

void TestLocalFileServices::removeFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    LocalFileServices files;
    const QString path = dir.filePath(QStringLiteral("book.zip"));
    QVERIFY(writeBytes(path, "x"));

    QVERIFY(files.removeFile(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!files.removeFile(path));
}

QTEST_GUILESS_MAIN(TestLocalFileServices)
#include "tst_local_file_services.moc"
