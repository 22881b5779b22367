#include "commands/control_names.h"
#include "platform/native_name.h"
#include "support/raw_files.h"
#include "support/real_book_fixture.h"
#include "support/view_modes.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace ruvo;
using namespace ruvo::test;

class TestLegacyNamedBook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A book unpacked from an archive made elsewhere: its folder and page names are in
    // code page 932 or Latin-1. Every page opens, in one-page and in two-page mode,
    // and the reader sees the names as they were meant.
    void everyPageOpens_data()
    {
        QTest::addColumn<bool>("onePage");
        QTest::newRow("one page") << true;
        QTest::newRow("two pages") << false;
    }
    void everyPageOpens()
    {
        QFETCH(bool, onePage);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray folder = QFile::encodeName(dir.path()) + "/\x8A\xBF\x8E\x9A";
        QCOMPARE(::mkdir(folder.constData(), 0755), 0);
        const QList<QByteArray> names{"1\x82\xA0.jpg", "2\x82\xA2.jpg", "3caf\xE9.jpg", "4\xFF.jpg"};
        const QStringList shown{"1あ.jpg", "2い.jpg", "3caf\uFFFD.jpg", "4\uFFFD.jpg"};
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(putRawFile(folder + '/' + names.at(i), jpegOf(QSize(40 + i, 30 + i), Qt::darkMagenta)));

        RealBookFixture f;
        setOnePage(f.form, onePage);
        f.form.controls().list1 = QStringList{nameFromNative(folder)};
        f.form.dP();
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + dir.path() + "/漢字");
        QCOMPARE(f.browser.pages().count(), names.size());

        // The left-hand page of a spread is the later one.
        const int step = onePage ? 1 : 2;
        for (int first = 0; first < names.size(); first += step) {
            if (first > 0)
                f.form.NEXTP_Click();
            const Form1Controls& c = f.form.controls();
            QCOMPARE(c.picture2.picture.size(), QSize(40 + first, 30 + first));
            QCOMPARE(c.statusBar.panel(3), QStringLiteral("[%1] ").arg(first + 1) + shown.at(first));
            if (!onePage) {
                QCOMPARE(c.picture3.picture.size(), QSize(41 + first, 31 + first));
                QCOMPARE(c.statusBar.panel(2), QStringLiteral("[%1] ").arg(first + 2) + shown.at(first + 1));
            }
        }
        QVERIFY(f.fakes.messages.shown.isEmpty());
        QVERIFY(removeRawTree(folder));
    }
};

QTEST_MAIN(TestLegacyNamedBook)
#include "tst_legacy_named_book.moc"
