#include "books/rar4_headers.h"

#include <QBuffer>
#include <QTest>
#include <QtEndian>

using namespace ruvo;

namespace {

// A block header as RAR 4 lays it out; a member's carries its packed size, which that many
// bytes of data follow.
QByteArray block(quint8 type, quint16 flags, QByteArray packed = {})
{
    const bool member = type == 0x74;
    QByteArray header(member ? 32 : 13, '\0');
    header[2] = char(type);
    qToLittleEndian<quint16>(flags, header.data() + 3);
    qToLittleEndian<quint16>(quint16(header.size()), header.data() + 5);
    if (member)
        qToLittleEndian<quint32>(quint32(packed.size()), header.data() + 7);
    return header + packed;
}

QByteArray archive(const QList<QByteArray>& blocks)
{
    QByteArray bytes("Rar!\x1A\x07\x00", 7);
    for (const QByteArray& b : blocks)
        bytes += b;
    return bytes + block(0x7B, 0);
}

constexpr quint8 kMain = 0x73;
constexpr quint8 kFile = 0x74;

} // namespace

class TestRar4Headers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsWhatTheHeadersSay_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("isRar4");
        QTest::addColumn<bool>("solid");
        QTest::addColumn<bool>("encryptedHeaders");
        QTest::addColumn<bool>("encryptedMembers");
        const QByteArray data(40, 'd');
        QTest::newRow("plain") << archive({block(kMain, 0), block(kFile, 0, data), block(kFile, 0, data)})
                               << true << false << false << false;
        QTest::newRow("solid in the main header")
            << archive({block(kMain, 0x0008), block(kFile, 0, data), block(kFile, 0x0010, data)}) << true
            << true << false << false;
        QTest::newRow("solid said by the second member only")
            << archive({block(kMain, 0), block(kFile, 0, data), block(kFile, 0x0010, data)}) << true << true
            << false << false;
        QTest::newRow("solid, a later member encrypted")
            << archive({block(kMain, 0x0008), block(kFile, 0, data), block(kFile, 0x0014, data),
                        block(kFile, 0x0014, data)})
            << true << true << false << true;
        QTest::newRow("names encrypted")
            << archive({block(kMain, 0x0080), QByteArray(60, '\x55')}) << true << false << true << false;
        QTest::newRow("a member running past the file")
            << QByteArray("Rar!\x1A\x07\x00", 7) + block(kMain, 0x0008) + block(kFile, 0, data).left(20)
            << true << true << false << false;
        QTest::newRow("a header claiming less than its own fields")
            << QByteArray("Rar!\x1A\x07\x00", 7) + QByteArray("\0\0\x74\0\0\x03\0", 7) + QByteArray(40, '\0')
            << true << false << false << false;
        QTest::newRow("RAR 5") << QByteArray("Rar!\x1A\x07\x01\x00", 8) + QByteArray(40, '\0') << false
                               << false << false << false;
    }
    void readsWhatTheHeadersSay()
    {
        QFETCH(QByteArray, bytes);
        QBuffer file(&bytes);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const Rar4Headers headers = readRar4Headers(file);
        QTEST(headers.isRar4, "isRar4");
        QTEST(headers.solid, "solid");
        QTEST(headers.encryptedHeaders, "encryptedHeaders");
        QTEST(headers.encryptedMembers, "encryptedMembers");
    }
};

QTEST_APPLESS_MAIN(TestRar4Headers)
#include "tst_rar4_headers.moc"
