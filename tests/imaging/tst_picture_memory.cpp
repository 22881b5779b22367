#include "imaging/picture_memory.h"
#include "platform/large_page_memory.h"

#include <QFile>
#include <QTest>

#include <cstdint>
#include <cstring>

using namespace ruvo;

namespace {

// What the system says of the mapping that holds address: its smaps lines, from the
// mapping's own line to the next; empty when no mapping holds it.
QList<QByteArray> mappingOf(const void* address)
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return {};
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    QList<QByteArray> lines;
    bool inside = false;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        const qsizetype dash = line.indexOf('-');
        const qsizetype space = line.indexOf(' ');
        bool isRange = dash > 0 && space > dash;
        std::uintptr_t from = 0;
        std::uintptr_t to = 0;
        if (isRange) {
            bool fromRead = false;
            bool toRead = false;
            from = line.left(dash).toULongLong(&fromRead, 16);
            to = line.mid(dash + 1, space - dash - 1).toULongLong(&toRead, 16);
            isRange = fromRead && toRead;
        }
        if (isRange) {
            if (inside)
                break;
            inside = at >= from && at < to;
        }
        if (inside)
            lines.append(line);
    }
    return lines;
}

// Whether the mapping asked the system for large pages ("hg" among its flags).
bool asksForLargePages(const QList<QByteArray>& mapping)
{
    for (const QByteArray& line : mapping) {
        if (line.startsWith("VmFlags:"))
            return line.mid(8).split(' ').contains("hg");
    }
    return false;
}

// Whether the system hands out large pages to memory that asks for them.
bool largePagesOnRequest()
{
    QFile setting(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
    return setting.open(QIODevice::ReadOnly) && !setting.readAll().contains("[never]");
}

// A device that says it holds the bytes given but gives no more than the first so many, as a
// file cut short while it is read.
class ShortDevice : public QIODevice
{
public:
    ShortDevice(QByteArray bytes, qint64 given) : m_bytes(std::move(bytes)), m_given(given) {}
    qint64 size() const override { return m_bytes.size(); }
    bool isSequential() const override { return false; }

protected:
    qint64 readData(char* data, qint64 most) override
    {
        const qint64 left = std::min<qint64>(m_given, m_bytes.size()) - pos();
        const qint64 count = std::clamp<qint64>(std::min(most, left), 0, most);
        std::memcpy(data, m_bytes.constData() + pos(), size_t(count));
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_given;
};

} // namespace

class TestPictureMemory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every picture is laid out as Qt lays out its own, whichever memory holds it, and can be
    // written and read back; a copy shares it until one of them changes.
    void picturesAreOrdinaryImages_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("small") << QSize(64, 48) << QImage::Format_RGB32;
        QTest::newRow("just under a large page") << QSize(1024, 511) << QImage::Format_RGB32;
        QTest::newRow("exactly a large page") << QSize(1024, 512) << QImage::Format_RGB32;
        QTest::newRow("a page of 2 MP") << QSize(1200, 1600) << QImage::Format_RGB32;
        QTest::newRow("grey, rows not a whole word") << QSize(2047, 1500) << QImage::Format_Grayscale8;
        QTest::newRow("with alpha") << QSize(1000, 900) << QImage::Format_ARGB32_Premultiplied;
        QTest::newRow("empty") << QSize(0, 100) << QImage::Format_RGB32;
    }
    void picturesAreOrdinaryImages()
    {
        QFETCH(QSize, size);
        QFETCH(QImage::Format, format);
        QImage picture = newPicture(size, format);
        const QImage qtOwn(size, format);
        QCOMPARE(picture.isNull(), qtOwn.isNull());
        if (picture.isNull())
            return;
        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.format(), format);
        QCOMPARE(picture.bytesPerLine(), qtOwn.bytesPerLine());
        QCOMPARE(picture.sizeInBytes(), qtOwn.sizeInBytes());
        picture.fill(Qt::red);
        picture.setPixel(size.width() - 1, size.height() - 1, qRgb(0, 0, 255));
        const QImage copy = picture;
        QCOMPARE(copy.constBits(), picture.constBits());
        picture.setPixel(0, 0, qRgb(0, 255, 0));
        QVERIFY(copy.constBits() != picture.constBits());
        QCOMPARE(copy.pixelColor(0, 0),
                 format == QImage::Format_Grayscale8
                     ? QColor(qGray(qRgb(255, 0, 0)), qGray(qRgb(255, 0, 0)), qGray(qRgb(255, 0, 0)))
                     : QColor(Qt::red));
        QCOMPARE(picture.pixel(size.width() - 1, size.height() - 1),
                 copy.pixel(size.width() - 1, size.height() - 1));
    }

    // A picture of a large page or more asks the system for large pages, in memory of its own
    // that goes with the picture; a smaller one is Qt's.
    void largePicturesAskForLargePages()
    {
        if (!largePagesOnRequest())
            QSKIP("this system never hands out large pages");
        const uchar* held = nullptr;
        {
            const QImage page = newPicture(QSize(1200, 1600), QImage::Format_RGB32);
            held = page.constBits();
            QCOMPARE(reinterpret_cast<std::uintptr_t>(held) % std::uintptr_t(LargePageMemory::pageBytes), 0u);
            const QList<QByteArray> mapping = mappingOf(held);
            QVERIFY(!mapping.isEmpty());
            QVERIFY2(asksForLargePages(mapping), mapping.join('\n').constData());
            const QImage small = newPicture(QSize(64, 48), QImage::Format_RGB32);
            QVERIFY(!asksForLargePages(mappingOf(small.constBits())));
        }
        // Let go of with the picture.
        QVERIFY(mappingOf(held).isEmpty());
    }

    // A file is read whole from where the device stands, into large pages when it fills one;
    // a device that gives less than it holds is a file that cannot be read.
    void filesAreReadWhole_data()
    {
        QTest::addColumn<qsizetype>("size");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("given");
        QTest::newRow("small") << qsizetype(1000) << qint64(0) << qint64(-1);
        QTest::newRow("large") << qsizetype(3 * 1024 * 1024 + 7) << qint64(0) << qint64(-1);
        QTest::newRow("large, read from its middle")
            << qsizetype(5 * 1024 * 1024) << qint64(123457) << qint64(-1);
        QTest::newRow("small, cut short") << qsizetype(1000) << qint64(0) << qint64(999);
        QTest::newRow("large, cut short") << qsizetype(3 * 1024 * 1024) << qint64(0) << qint64(1024 * 1024);
        QTest::newRow("empty") << qsizetype(0) << qint64(0) << qint64(-1);
    }
    void filesAreReadWhole()
    {
        QFETCH(qsizetype, size);
        QFETCH(qint64, from);
        QFETCH(qint64, given);
        QByteArray content(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            content[i] = char((i * 7919) >> 3);
        ShortDevice device(content, given < 0 ? size : given);
        QVERIFY(device.open(QIODevice::ReadOnly));
        QVERIFY(device.seek(from));
        HeldBytes held;
        const bool whole = held.readAll(device);
        QCOMPARE(whole, given < 0);
        if (!whole) {
            QVERIFY(held.bytes().isEmpty());
            return;
        }
        QCOMPARE(held.bytes(), content.mid(from));
        QCOMPARE(asksForLargePages(mappingOf(held.bytes().constData())),
                 largePagesOnRequest() && size - from >= LargePageMemory::pageBytes);
    }
};

QTEST_GUILESS_MAIN(TestPictureMemory)
#include "tst_picture_memory.moc"
