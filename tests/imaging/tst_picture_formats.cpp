#include "books/page_names.h"
#include "browse/form2.h"
#include "imaging/file_picture_decoder.h"
#include "imaging/picture_formats.h"
#include "support/file_bytes.h"
#include "support/metafile_fixtures.h"
#include "windows/drop_help_text.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

QImage smallPage()
{
    QImage page(8, 6, QImage::Format_RGB32);
    page.fill(Qt::darkCyan);
    return page;
}

// A GIF of one black pixel, as small as GIF gets.
QByteArray onePixelGif()
{
    return QByteArray::fromHex("47494638376101000100800000000000ffffff2c00000000010001000002024401003b");
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int value : values)
        out.append(char(value));
    return out;
}

// The header record of an EMF, cut after its first count bytes: type 1, the
// record's size, bounds and frame, then " EMF" at byte 40.
QByteArray emfHeaderStart(int count)
{
    QByteArray header(108, '\0');
    header[0] = 1;
    header[4] = 108;
    header.replace(40, 4, " EMF");
    return header.left(count);
}

} // namespace

class TestPictureFormats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageExtensionsAreTheDecodersFormats_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<PictureFormat>("format");
        QTest::newRow("bmp") << "a.bmp" << PictureFormat::Bmp;
        QTest::newRow("BMP") << "A.BMP" << PictureFormat::Bmp;
        QTest::newRow("jpg") << "a.jpg" << PictureFormat::Jpeg;
        QTest::newRow("JPG in a path") << "/books/vol1/P002.JPG" << PictureFormat::Jpeg;
        QTest::newRow("jpeg") << "a.jpeg" << PictureFormat::Jpeg;
        QTest::newRow("JpEg") << "a.JpEg" << PictureFormat::Jpeg;
        QTest::newRow("gif") << "b.gif" << PictureFormat::Gif;
        QTest::newRow("Gif") << "b.Gif" << PictureFormat::Gif;
        QTest::newRow("ico") << "c.ico" << PictureFormat::Ico;
        QTest::newRow("ICO") << "c.ICO" << PictureFormat::Ico;
        QTest::newRow("wmf") << "d.wmf" << PictureFormat::Wmf;
        QTest::newRow("WMF") << "d.WMF" << PictureFormat::Wmf;
        QTest::newRow("emf") << "e.emf" << PictureFormat::Emf;
        QTest::newRow("eMf") << "e.eMf" << PictureFormat::Emf;
    }
    void pageExtensionsAreTheDecodersFormats()
    {
        QFETCH(QString, name);
        QFETCH(PictureFormat, format);
        QVERIFY(hasPageExtension(name, PageFormats::Basic));
        QVERIFY(hasPageExtension(name, PageFormats::All));
        const PictureFormatInfo* found = pictureFormatOfName(name);
        QVERIFY(found);
        QCOMPARE(found->format, format);
    }

    void otherNamesAreNoPictures_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"a.png", "a.avif", "a.jxl", "a.jpg.txt", "jpg", "a.jpgx", "a.tif", "a.emf ", "a.svg", ""})
            QTest::newRow(name[0] ? name : "empty") << QString::fromLatin1(name);
    }
    void otherNamesAreNoPictures()
    {
        QFETCH(QString, name);
        QVERIFY(!hasPageExtension(name, PageFormats::Basic));
        QVERIFY(!pictureFormatOfName(name));
    }

    // A real file named as the page list expects is told by its content to be
    // the format its name says, and the reader the table names decodes it.
    void realFilesMatchTheirNames_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        const QImage page = smallPage();
        QTest::newRow("bmp") << encoded(page, "bmp") << "page.BMP";
        QTest::newRow("jpg") << encoded(page, "jpeg") << "page.jpg";
        QTest::newRow("jpeg") << encoded(page, "jpeg") << "page.Jpeg";
        QTest::newRow("gif") << onePixelGif() << "page.gif";
        QTest::newRow("ico") << encoded(page, "ico") << "page.ico";
        QTest::newRow("placeable wmf")
            << placeableWmfWithRectangle(QSize(1440, 720), 1440, QRect(0, 0, 720, 720), Qt::red)
            << "page.wmf";
        QTest::newRow("standard wmf")
            << standardWmfWithRectangle(QSize(40, 30), QRect(10, 10, 20, 10), Qt::red) << "page.WMF";
        QTest::newRow("emf") << emfWithRectangle(QSize(2000, 1000), QRectF(0.25, 0.25, 0.5, 0.5), Qt::blue)
                             << "page.emf";
    }
    void realFilesMatchTheirNames()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        QVERIFY(!content.isEmpty());
        const PictureFormatInfo* byName = pictureFormatOfName(name);
        const PictureFormatInfo* byContent = pictureFormatOfContent(content.left(pictureSignatureBytes));
        QVERIFY(byName);
        QVERIFY(byContent);
        QCOMPARE(byContent->format, byName->format);

        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(putFileBytes(path, content));
        const DecodedPicture picture = FilePictureDecoder().decode(path);
        QVERIFY2(picture.isValid(), qPrintable(picture.error));
    }

    void signaturePicksTheFormat_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<PictureFormat>("format");
        QTest::newRow("bitmap file header")
            << bytes({'B', 'M', 0x3A, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0}) << PictureFormat::Bmp;
        QTest::newRow("jfif") << bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0})
                              << PictureFormat::Jpeg;
        QTest::newRow("exif") << bytes({0xFF, 0xD8, 0xFF, 0xE1, 0x12, 0x34, 'E', 'x', 'i', 'f', 0, 0})
                              << PictureFormat::Jpeg;
        QTest::newRow("gif87a") << QByteArray("GIF87a\x01\x00\x01\x00", 10) << PictureFormat::Gif;
        QTest::newRow("gif89a") << QByteArray("GIF89a\x01\x00\x01\x00", 10) << PictureFormat::Gif;
        QTest::newRow("icon directory")
            << bytes({0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0}) << PictureFormat::Ico;
        QTest::newRow("placeable wmf")
            << bytes({0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0xA0, 0x05}) << PictureFormat::Wmf;
        QTest::newRow("memory wmf") << bytes({1, 0, 9, 0, 0, 3, 0x24, 0, 0, 0}) << PictureFormat::Wmf;
        QTest::newRow("disk wmf") << bytes({2, 0, 9, 0, 0, 3, 0x24, 0, 0, 0}) << PictureFormat::Wmf;
        QTest::newRow("emf header") << emfHeaderStart(pictureSignatureBytes) << PictureFormat::Emf;
    }
    void signaturePicksTheFormat()
    {
        QFETCH(QByteArray, head);
        QFETCH(PictureFormat, format);
        const PictureFormatInfo* found = pictureFormatOfContent(head);
        QVERIFY(found);
        QCOMPARE(found->format, format);
    }

    void otherContentIsNoPicture_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("emf cut before its signature ends") << emfHeaderStart(pictureSignatureBytes - 1);
        QTest::newRow("emf record of another type")
            << emfHeaderStart(pictureSignatureBytes).replace(0, 1, "\x02");
        QTest::newRow("cursor directory") << bytes({0, 0, 2, 0, 1, 0, 16, 16});
        QTest::newRow("wmf header of another size") << bytes({1, 0, 10, 0, 0, 3});
        QTest::newRow("png") << bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
        QTest::newRow("tiff") << bytes({'I', 'I', 0x2A, 0});
        QTest::newRow("gif without its version") << QByteArray("GIF");
        QTest::newRow("half a bitmap signature") << QByteArray("B");
        QTest::newRow("half a jpeg signature") << bytes({0xFF});
        QTest::newRow("empty") << QByteArray();
    }
    void otherContentIsNoPicture()
    {
        QFETCH(QByteArray, head);
        QVERIFY(!pictureFormatOfContent(head));
    }

    // AVIF and JPEG XL are told by content among an archive's pages alone: an AVIF by its
    // file-type box's brands, a JPEG XL by its codestream's or its container's signature.
    void archiveSignaturesPickTheFormat_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<bool>("isPage");
        QTest::addColumn<PictureFormat>("format");
        const auto ftyp = [](const QByteArray& brands) {
            QByteArray box = QByteArray(3, '\0') + char(8 + brands.size()) + "ftyp" + brands;
            return box + QByteArray("\0\0\0\x20meta", 8);
        };
        QTest::newRow("avif, its major brand")
            << ftyp(QByteArray("avif\0\0\0\0mif1miaf", 16)) << true << PictureFormat::Avif;
        QTest::newRow("avif sequence")
            << ftyp(QByteArray("avis\0\0\0\0avismsf1", 16)) << true << PictureFormat::Avif;
        QTest::newRow("avif among the compatible brands")
            << ftyp(QByteArray("mif1\0\0\0\0mif1miafavif", 20)) << true << PictureFormat::Avif;
        QTest::newRow("heic") << ftyp(QByteArray("heic\0\0\0\0mif1heic", 16)) << false << PictureFormat::Avif;
        QTest::newRow("mp4") << ftyp(QByteArray("isom\0\0\0\0isomavc1", 16)) << false << PictureFormat::Avif;
        QTest::newRow("avif brand past the file-type box")
            << ftyp(QByteArray("mif1\0\0\0\0mif1", 12)) + "avif" << false << PictureFormat::Avif;
        QTest::newRow("avif cut in its box header")
            << QByteArray("\0\0\0\x1c", 4) + "ftypav" << false << PictureFormat::Avif;
        QTest::newRow("jxl codestream") << bytes({0xFF, 0x0A, 0xFA, 0x7F}) << true << PictureFormat::Jxl;
        QTest::newRow("jxl container")
            << bytes({0, 0, 0, 0x0C, 'J', 'X', 'L', ' ', 0x0D, 0x0A, 0x87, 0x0A, 0, 0, 0, 0x14}) << true
            << PictureFormat::Jxl;
        QTest::newRow("jxl container signature cut short")
            << bytes({0, 0, 0, 0x0C, 'J', 'X', 'L', ' ', 0x0D, 0x0A}) << false << PictureFormat::Jxl;
        QTest::newRow("jpeg, not jxl") << bytes({0xFF, 0xD8, 0xFF}) << true << PictureFormat::Jpeg;
    }
    void archiveSignaturesPickTheFormat()
    {
        QFETCH(QByteArray, head);
        QFETCH(bool, isPage);
        QFETCH(PictureFormat, format);
        const PictureFormatInfo* found = archivePictureFormatOfContent(head);
        QCOMPARE(found != nullptr, isPage);
        if (found)
            QCOMPARE(found->format, format);
        // A folder book's formats are as they were.
        const PictureFormatInfo* inFolder = pictureFormatOfContent(head);
        QVERIFY(!inFolder ||
                (inFolder->format != PictureFormat::Avif && inFolder->format != PictureFormat::Jxl));
    }

    void archiveNamesIncludeAvifAndJxl_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<PictureFormat>("format");
        QTest::newRow("avif") << "p/001.avif" << PictureFormat::Avif;
        QTest::newRow("AVIF") << "002.AVIF" << PictureFormat::Avif;
        QTest::newRow("jxl") << "003.jxl" << PictureFormat::Jxl;
        QTest::newRow("JXL") << "p/004.JXL" << PictureFormat::Jxl;
    }
    void archiveNamesIncludeAvifAndJxl()
    {
        QFETCH(QString, name);
        QFETCH(PictureFormat, format);
        const PictureFormatInfo* found = archivePictureFormatOfName(name);
        QVERIFY(found);
        QCOMPARE(found->format, format);
        QVERIFY(!pictureFormatOfName(name));
        QVERIFY(!hasPageExtension(name, PageFormats::Basic));
        // Unless folders are held to the basic six, their pages may be in these formats too.
        QVERIFY(hasPageExtension(name, PageFormats::All));
        QCOMPARE(pageFormatOfName(name, PageFormats::All), found);
    }

    void browserFilterTextFollowsTheFormats()
    {
        QCOMPARE(Form2::fileTip(PageFormats::Basic).toUtf8(),
                 QByteArray("*.bmp;*.jpg;*.jpeg;*.gif;*.ico;*.wmf;*.emfﾌｧｲﾙのみ表示"));
        QCOMPARE(
            Form2::fileTip(PageFormats::All).toUtf8(),
            QByteArray("*.bmp;*.jpg;*.jpeg;*.gif;*.ico;*.wmf;*.emf;*.png;*.webp;*.avif;*.jxlﾌｧｲﾙのみ表示"));
    }

    void dropHelpLinesFollowTheFormats()
    {
        const QStringList basic{"BMPファイル", "JPGファイル", "JPEGファイル", "GIFファイル",
                                "ICOファイル", "WMFファイル", "EMFファイル"};
        const QStringList more{"PNGファイル", "WebPファイル", "AVIFファイル", "JPEG XLファイル"};
        const QStringList places{"フォルダ", "ドライブ"};
        QCOMPARE(dropHelpLines(PageFormats::Basic), basic + places);
        QCOMPARE(dropHelpLines(PageFormats::All), basic + more + places);
    }
};

QTEST_MAIN(TestPictureFormats)
#include "tst_picture_formats.moc"
